#include "tests/sim/sim_web_view.h"

namespace coilrun::sim {

SimWebView::~SimWebView() { loop_.killTimer(pending_); }

void SimWebView::navigate(const std::string& url) {
    navigations.push_back(url);
    loop_.killTimer(pending_); // a new navigation cancels the one in flight
    pending_ = 0;
    const SimPage page = web_.answer(url);
    if (page.outcome == SimPage::Outcome::Never) return;
    auto finish = [this, url, page] {
        loop_.killTimer(pending_);
        pending_ = 0;
        location_ = page.outcome == SimPage::Outcome::Title ? page.title : url;
        ++completions;
        if (onDocumentComplete) onDocumentComplete();
    };
    if (page.delayMs == 0) {
        loop_.post(finish);
    } else {
        pending_ = loop_.startTimer(page.delayMs, finish);
    }
}

} // namespace coilrun::sim
