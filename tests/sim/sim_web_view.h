#pragma once
#include "engine/platform/message_loop.h"
#include "engine/platform/web_view.h"
#include "tests/sim/sim_window.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace coilrun::sim {

// How the simulated network answers one address.
struct SimPage {
    enum class Outcome { Title, NoTitle, Failed, Never } outcome = Outcome::Title;
    std::string title;
    std::uint32_t delayMs = 0; // virtual time until the load completes
};

// The pages tests make reachable: a function from address to answer.
struct SimWeb {
    std::function<SimPage(const std::string& url)> answer = [](const std::string&) {
        return SimPage{SimPage::Outcome::Failed, {}, 0};
    };
};

// A web view whose loads complete in virtual time, as SimWeb says.
class SimWebView : public platform::WebView {
public:
    SimWebView(platform::MessageLoop& loop, SimWeb& web) : loop_(loop), web_(web) {}
    ~SimWebView() override;

    void navigate(const std::string& url) override;
    std::string locationName() const override { return location_; }
    void setSilent(bool s) override { silent = s; }
    void post(const std::string& url, const std::vector<std::uint8_t>& body) override {
        posts.push_back({url, body});
    }
    void show() override { visible = true; }
    void hide() override { visible = false; }
    bool isVisible() const override { return visible; }
    void setGeometry(const platform::Rect& r) override { rect = r; }
    platform::Rect geometry() const override { return rect; }

    std::vector<std::string> navigations;
    struct Post {
        std::string url;
        std::vector<std::uint8_t> body;
    };
    std::vector<Post> posts;
    int completions = 0;
    bool silent = false;
    bool visible = true;
    platform::Rect rect;

private:
    platform::MessageLoop& loop_;
    SimWeb& web_;
    std::string location_;
    platform::MessageLoop::TimerId pending_ = 0;
};

} // namespace coilrun::sim
