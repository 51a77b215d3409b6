#pragma once
#include "engine/platform/settings_store.h"

#include <map>
#include <string>
#include <variant>

namespace coilrun::sim {

// The per-user store in memory. A value is kept as it would be stored on disk:
// as text, so that a damaged entry ("level" = "seven") can be planted by a test.
class SimSettingsStore : public platform::SettingsStore {
public:
    std::unique_ptr<platform::SettingsKey> openKey(const std::string& path, bool canCreate) override;

    // path -> (name -> stored text)
    std::map<std::string, std::map<std::string, std::string>> keys;
    int opened = 0;   // keys opened so far
    int released = 0; // keys closed again
};

class SimUserIdentity : public platform::UserIdentity {
public:
    std::string userName() const override { return name; }
    std::string name = "player";
};

} // namespace coilrun::sim
