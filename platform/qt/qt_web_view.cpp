#include "platform/qt/qt_web_view.h"

#include <QWebEngineHttpRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace coilrun::qt {

QtWebView::QtWebView(QWidget* parent) : view_(new QWebEngineView(parent)) {
    connect(view_, &QWebEngineView::loadFinished, this, &QtWebView::loadFinished);
    view_->show();
}

QtWebView::~QtWebView() {
    onDocumentComplete = nullptr;
    delete sender_.data();
    delete view_.data();
}

void QtWebView::post(const std::string& url, const std::vector<std::uint8_t>& body) {
    if (!sender_) {
        // The shown page's profile: the same cookies, so the server can tie what is
        // sent here to the report the shown page loaded.
        sender_ = new QWebEnginePage(view_->page()->profile(), this);
        sender_->setAudioMuted(true);
    }
    QWebEngineHttpRequest request(QUrl(QString::fromStdString(url)), QWebEngineHttpRequest::Post);
    request.setHeader("Content-Type", "application/octet-stream");
    request.setPostData(
        QByteArray(reinterpret_cast<const char*>(body.data()), qsizetype(body.size())));
    sender_->load(request);
}

void QtWebView::navigate(const std::string& url) {
    view_->load(QUrl(QString::fromStdString(url)));
}

void QtWebView::loadFinished(bool ok) {
    // The view reports a page without a title by its address; so do we, in full
    // ("http://..."), so that callers can tell an address from a title.
    const QUrl url = view_->url();
    const QString title = view_->title();
    // Without a <title> the view names the page by its address, less the scheme.
    QString bare = url.toString(QUrl::RemoveScheme);
    if (bare.startsWith("//")) bare = bare.mid(2);
    const bool hasTitle = ok && !title.isEmpty() && title != url.toString() && title != bare &&
                          title != url.toDisplayString();
    location_ = hasTitle ? title.toStdString() : url.toString().toStdString(); // UTF-8
    if (onDocumentComplete) onDocumentComplete();
}

void QtWebView::setSilent(bool silent) { view_->page()->setAudioMuted(silent); }
void QtWebView::show() { view_->show(); }
void QtWebView::hide() { view_->hide(); }
bool QtWebView::isVisible() const { return view_->isVisible(); }

void QtWebView::setGeometry(const platform::Rect& r) {
    view_->setGeometry(r.left, r.top, r.width, r.height);
}

platform::Rect QtWebView::geometry() const {
    const QRect g = view_->geometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

} // namespace coilrun::qt
