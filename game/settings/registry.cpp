#include "game/settings/registry.h"

namespace coilrun {

bool TRegistry::OpenKey(const std::string& path, bool canCreate) {
    key_ = store_.openKey(path, canCreate);
    return key_ != nullptr;
}

platform::SettingsKey& TRegistry::key() const {
    if (!key_) throw ERegistryException("Failed to get data: no key is open");
    return *key_;
}

bool TRegistry::ValueExists(const std::string& name) const {
    return key().valueExists(name);
}

int TRegistry::ReadInteger(const std::string& name) const {
    if (auto v = key().readInteger(name)) return *v;
    throw ERegistryException("Invalid data type for '" + name + "'");
}

std::string TRegistry::ReadString(const std::string& name) const {
    return key().readString(name).value_or(std::string{});
}

void TRegistry::WriteInteger(const std::string& name, int value) {
    key().writeInteger(name, value);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    key().writeString(name, value);
}

} // namespace coilrun
