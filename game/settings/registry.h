#pragma once
#include "engine/platform/settings_store.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace coilrun {

// Raised for a value that is not of the type asked for, and for a key that
// cannot be opened.
class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One access to the per-user settings: created for it, released with it.
class TRegistry {
public:
    explicit TRegistry(platform::SettingsStore& store) : store_(store) {}
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;
    ~TRegistry() { CloseKey(); }

    // Opens path under the current user, creating it when canCreate.
    bool OpenKey(const std::string& path, bool canCreate);
    void CloseKey() { key_.reset(); }

    bool ValueExists(const std::string& name) const;
    // Throws ERegistryException when the value is missing or not an integer.
    int ReadInteger(const std::string& name) const;
    // The string, or empty when the value is missing.
    std::string ReadString(const std::string& name) const;
    void WriteInteger(const std::string& name, int value);
    void WriteString(const std::string& name, const std::string& value);

private:
    platform::SettingsKey& key() const;

    platform::SettingsStore& store_;
    std::unique_ptr<platform::SettingsKey> key_;
};

} // namespace coilrun
