#pragma once
#include "engine/platform/message_boxes.h"
#include "engine/platform/settings_store.h"
#include "engine/platform/window.h"

namespace coilrun::qt {

// Keys "Software\<Organisation>\<Application>[\group...]" map onto
// QSettings(Organisation, Application): the registry on Windows, an ini-style
// file under ~/.config on Linux.
class QtSettingsStore : public platform::SettingsStore {
public:
    std::unique_ptr<platform::SettingsKey> openKey(const std::string& path, bool canCreate) override;
};

class QtUserIdentity : public platform::UserIdentity {
public:
    std::string userName() const override;
};

class QtMessageBoxes : public platform::MessageBoxes {
public:
    void show(const std::string& text, platform::MessageKind kind) override;
};

class QtScreen : public platform::Screen {
public:
    int width() const override;
    int height() const override;
    int dpi() const override;
};

} // namespace coilrun::qt
