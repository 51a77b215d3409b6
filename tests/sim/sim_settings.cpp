#include "tests/sim/sim_settings.h"

#include <charconv>

namespace coilrun::sim {
namespace {

class SimSettingsKey : public platform::SettingsKey {
public:
    SimSettingsKey(SimSettingsStore& store, std::map<std::string, std::string>& values)
        : store_(store), values_(values) {}
    ~SimSettingsKey() override { ++store_.released; }

    bool valueExists(const std::string& name) const override { return values_.count(name) > 0; }
    std::optional<int> readInteger(const std::string& name) const override {
        auto it = values_.find(name);
        if (it == values_.end()) return std::nullopt;
        int v = 0;
        const auto& s = it->second;
        auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
        return v;
    }
    std::optional<std::string> readString(const std::string& name) const override {
        auto it = values_.find(name);
        if (it == values_.end()) return std::nullopt;
        return it->second;
    }
    void writeInteger(const std::string& name, int value) override {
        values_[name] = std::to_string(value);
    }
    void writeString(const std::string& name, const std::string& value) override {
        values_[name] = value;
    }

private:
    SimSettingsStore& store_;
    std::map<std::string, std::string>& values_;
};

} // namespace

std::unique_ptr<platform::SettingsKey> SimSettingsStore::openKey(const std::string& path,
                                                                 bool canCreate) {
    auto it = keys.find(path);
    if (it == keys.end()) {
        if (!canCreate) return nullptr;
        it = keys.emplace(path, std::map<std::string, std::string>{}).first;
    }
    ++opened;
    return std::make_unique<SimSettingsKey>(*this, it->second);
}

} // namespace coilrun::sim
