#include "app/web_form.h"

namespace coilrun {

TFormWeb::TFormWeb(platform::Platform& platform)
    : platform_(platform), window_(platform.createWindow()) {
    window_->setCaption("Coilrun");
    window_->onClose = [this] { FormClose(); };
    platform::FontSpec font;
    font.name = "Tahoma";
    font.pixelSize = 11;
    font.color = 0xff000000;
    labelvar = window_->createLabel("labelvar", font, 8, 8);
    wb1 = platform.createWebView(*window_);
    wb1->setGeometry({-5, -5, 772, 465});
    timerstyle = std::make_unique<TTimer>(platform.loop());
    timerstyle->setInterval(1000);
    timerstyle->setEnabled(false);
}

TFormWeb::~TFormWeb() {
    window_->onClose = nullptr;
}

void TFormWeb::FormCreate() {
    styleState.clear();
    auto& screen = platform_.screen();
    window_->setGeometry({(screen.width() - 758) / 2, (screen.height() - 473) / 2, 758, 473});
    if (hideSplash) hideSplash();
}

void TFormWeb::FormClose() {
    if (closeOtherWindows) closeOtherWindows();
}

} // namespace coilrun
