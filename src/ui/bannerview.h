#pragma once

#include <QUrl>
#include <QWidget>

#ifdef TARVENIX_WEB_BANNER
class QWebEngineView;
#endif

// The 468 x 60 advertisement at the top of the marquee. It loads its page once,
// when it is built, and keeps showing that page; the marquee only shows and
// hides it. Without a page (no web view in this build, or the page could not be
// loaded) it draws a banner of its own.
class BannerView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int BannerWidth = 468;
    static constexpr int BannerHeight = 60;

    explicit BannerView(QWidget* parent = nullptr);

    // The page every banner view loads; main() sets it before the board exists.
    static QUrl url();
    static void setUrl(const QUrl& url);
    static QUrl defaultUrl();
    // To be called before the application object exists. The web view needs
    // GL contexts shared with the widgets; asking for that loads the GL stack
    // at once (some 60 MB), so only a build with the web banner does it.
    static void prepareApplication();

    // True while the banner is drawn locally rather than shown from the web.
    bool isDrawn() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
#ifdef TARVENIX_WEB_BANNER
    void resizeEvent(QResizeEvent* event) override;
    void pageLoaded(bool ok);

    QWebEngineView* m_web = nullptr;
#endif
};
