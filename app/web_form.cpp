#include "app/web_form.h"

#include "game/settings/settings.h"
#include "online/run_report.h"
#include "online/score_server.h"

namespace coilrun {

TFormWeb::TFormWeb(platform::Platform& platform)
    : platform_(platform), window_(platform.createWindow()),
      browser_(*this, online::scoreServerAddress()) {
    window_->setCaption("Coilrun");
    window_->onClose = [this] { FormClose(); };
    window_->onResize = [this](int, int) { FormConstrainedResize(); };
    platform::FontSpec font;
    font.name = "Tahoma";
    font.pixelSize = 11;
    font.color = 0xff000000;
    labelvar = window_->createLabel("labelvar", font, 8, 8);
    wb1 = platform.createWebView(*window_);
    wb1->setGeometry({-5, -5, 772, 465});
    wb1->onDocumentComplete = [this] { wb1DocumentComplete(); };
    timerstyle = std::make_unique<engine::TTimer>(platform.loop());
    timerstyle->setInterval(1000);
    timerstyle->setEnabled(false);
    timerstyle->setOnTimer([this] { timerstyleTimer(); });
}

TFormWeb::~TFormWeb() {
    window_->onClose = nullptr;
    window_->onResize = nullptr;
    wb1->onDocumentComplete = nullptr;
}

void TFormWeb::FormCreate() {
    auto& screen = platform_.screen();
    window_->setGeometry({(screen.width() - 758) / 2, (screen.height() - 473) / 2, 758, 473});
    if (hideSplash) hideSplash();
}

void TFormWeb::FormClose() {
    if (closeOtherWindows) closeOtherWindows();
}

void TFormWeb::wb1DocumentComplete() {
    const std::string location = wb1->locationName();
    // The report's answer carries the cookie that ties the run to it; a page that
    // did not come (no server) is named by its address, and then nothing is sent.
    if (!pendingRun_.empty() && location.rfind("http", 0) != 0)
        wb1->post(online::scoreServerPage("replay"), pendingRun_);
    pendingRun_.clear();
    browser_.pageComplete(location);
}

void TFormWeb::FormConstrainedResize() {
    browser_.constrainedResize();
}

void TFormWeb::timerstyleTimer() {
    browser_.timerstyleTimer();
}

void TFormWeb::OnlineCount(int bestScore, std::vector<std::uint8_t> bestRun) {
    pendingRun_ = bestScore != 0 ? std::move(bestRun) : std::vector<std::uint8_t>();
    const std::string player = GetUserN(platform_.user());
    const std::string newFlag = settings::readNewFlag(platform_.settings());
    browser_.load(online::runReportUrl(online::scoreServerAddress(), newFlag, bestScore,
                                       platform_.clock().localShortDate(), player));
}

void TFormWeb::showCreditPage(const std::string& person) {
    browser_.load(online::scoreServerPage(person + ".php"));
    window_->show();
}

void TFormWeb::setFrameWidth(int width) {
    window_->setFrameSize(width, window_->frameGeometry().height);
}

void TFormWeb::setFrameHeight(int height) {
    window_->setFrameSize(window_->frameGeometry().width, height);
}

void TFormWeb::centreOnScreen() {
    const platform::Rect frame = window_->frameGeometry();
    window_->moveFrameTo((platform_.screen().width() - frame.width) / 2,
                         (platform_.screen().height() - frame.height) / 2);
}

std::string TFormWeb::playerName() const {
    return GetUserN(platform_.user());
}

void TFormWeb::showMessage(const std::string& text) {
    platform_.messageBoxes().show(text, platform::MessageKind::Plain);
}

void TFormWeb::showInformation(const std::string& text) {
    platform_.messageBoxes().show(text, platform::MessageKind::Information);
}

void TFormWeb::showError(const std::string& text) {
    platform_.messageBoxes().show(text, platform::MessageKind::Error);
}

void TFormWeb::endProgram() {
    if (onSkip) onSkip();
}

void TFormWeb::backToGame() {
    window_->hide();
    if (onGoBack) onGoBack();
}

} // namespace coilrun
