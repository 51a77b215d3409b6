#pragma once
#include "engine/platform/web_view.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

class QWebEnginePage;
class QWebEngineView;
class QWidget;

namespace coilrun::qt {

class QtWebView : public QObject, public platform::WebView {
    Q_OBJECT
public:
    explicit QtWebView(QWidget* parent);
    ~QtWebView() override;

    void navigate(const std::string& url) override;
    std::string locationName() const override { return location_; }
    void setSilent(bool silent) override;
    void post(const std::string& url, const std::vector<std::uint8_t>& body) override;
    void show() override;
    void hide() override;
    bool isVisible() const override;
    void setGeometry(const platform::Rect& r) override;
    platform::Rect geometry() const override;

private:
    void loadFinished(bool ok);

    QPointer<QWebEngineView> view_;
    QPointer<QWebEnginePage> sender_; // the hidden page of post(), made on first use
    std::string location_;
};

} // namespace coilrun::qt
