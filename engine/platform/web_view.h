#pragma once
#include "engine/platform/window.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace coilrun::platform {

// An embedded HTML view that loads pages over HTTP.
class WebView : public Widget {
public:
    virtual void navigate(const std::string& url) = 0;
    // The loaded document's short name, in UTF-8: its title when it has one, otherwise
    // (no title, or the load failed) the page's address as it was asked for.
    virtual std::string locationName() const = 0;
    // Silent: no dialogs and no sound from the page.
    virtual void setSilent(bool silent) = 0;
    // Sends `body` by POST (as application/octet-stream) to `url` from a page of its
    // own that is never shown and shares this view's cookies. The shown page is not
    // touched, its answer is not read and a failure is silent.
    virtual void post(const std::string& url, const std::vector<std::uint8_t>& body) = 0;
    // Called on the UI thread when a load has completed, successfully or not.
    std::function<void()> onDocumentComplete;
};

} // namespace coilrun::platform
