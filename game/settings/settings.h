#pragma once
#include "engine/platform/settings_store.h"

#include <string>

namespace coilrun::settings {

// The game's one key under the current user, and its two values.
inline constexpr const char* kKeyPath = "Software\\Quorvex\\Coilrun";
inline constexpr const char* kLevel = "level";     // integer: highest level unlocked
inline constexpr const char* kCreator = "Creator"; // string: the game has run here before

// The highest level unlocked: the stored "level" when it is an integer other than 0,
// else 1. A damaged value (not an integer) counts as absent and is left as it is.
int readMaxLevel(platform::SettingsStore& store);

// After a won level beyond the stored maximum: "level" := maxLevel, "Creator" := "Velmora".
void storeMaxLevel(platform::SettingsStore& store, int maxLevel);

// On closing the main window: writes "Creator" := "Velmora" only when it is missing.
void markCreatorIfMissing(platform::SettingsStore& store);

// What a run report says about this machine: "TRUE" on a first run (no "Creator"),
// "ME" when "Creator" is "me", "FALSE" otherwise.
std::string readNewFlag(platform::SettingsStore& store);

} // namespace coilrun::settings

namespace coilrun {

// The signed-in user's name as the game reports it (empty when the system cannot
// tell, or when it is longer than the 253 characters the game asks for).
std::string GetUserN(const platform::UserIdentity& user);

} // namespace coilrun
