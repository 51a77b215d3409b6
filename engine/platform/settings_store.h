#pragma once
#include <memory>
#include <optional>
#include <string>

namespace coilrun::platform {

// One opened key of the per-user settings store. Closed when destroyed.
class SettingsKey {
public:
    virtual ~SettingsKey() = default;
    virtual bool valueExists(const std::string& name) const = 0;
    // The value as an integer; nullopt when absent or not an integer.
    virtual std::optional<int> readInteger(const std::string& name) const = 0;
    // The value as a string; nullopt when absent.
    virtual std::optional<std::string> readString(const std::string& name) const = 0;
    virtual void writeInteger(const std::string& name, int value) = 0;
    virtual void writeString(const std::string& name, const std::string& value) = 0;
};

// The per-user store (the registry's current-user hive, or a config file).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Opens the key at path ("Software\\Quorvex\\Coilrun"), creating it when canCreate.
    // Returns null when the key is missing and may not be created, or on failure.
    virtual std::unique_ptr<SettingsKey> openKey(const std::string& path, bool canCreate) = 0;
};

// The signed-in user.
class UserIdentity {
public:
    virtual ~UserIdentity() = default;
    // The user name in 8-bit characters; empty when the system cannot tell.
    virtual std::string userName() const = 0;
};

} // namespace coilrun::platform
