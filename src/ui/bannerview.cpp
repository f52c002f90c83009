#include "bannerview.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#ifdef TARVENIX_WEB_BANNER
#include <QResizeEvent>
#include <QWebEngineSettings>
#include <QWebEngineView>
#endif

namespace {

QUrl& bannerUrl()
{
    static QUrl url = BannerView::defaultUrl();
    return url;
}

} // namespace

BannerView::BannerView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("WebBrowser"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(BannerWidth, BannerHeight);
#ifdef TARVENIX_WEB_BANNER
    if (url().isValid()) {
        m_web = new QWebEngineView(this);
        m_web->setObjectName(QStringLiteral("BannerWebView"));
        m_web->setContextMenuPolicy(Qt::NoContextMenu);
        // Only the page's content belongs in the banner area.
        m_web->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);
        m_web->setGeometry(rect());
        // Hidden until the page has arrived, so a slow or failed load never
        // shows the engine's error page in the banner area.
        m_web->hide();
        connect(m_web, &QWebEngineView::loadFinished, this, &BannerView::pageLoaded);
        m_web->load(url());
    }
#endif
}

QUrl BannerView::url()
{
    return bannerUrl();
}

void BannerView::setUrl(const QUrl& url)
{
    bannerUrl() = url;
}

QUrl BannerView::defaultUrl()
{
    return QUrl(QStringLiteral("http://www.tarvenix.example/applicationbanner.php"));
}

void BannerView::prepareApplication()
{
#ifdef TARVENIX_WEB_BANNER
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
}

bool BannerView::isDrawn() const
{
#ifdef TARVENIX_WEB_BANNER
    return !m_web || m_web->isHidden();
#else
    return true;
#endif
}

QSize BannerView::sizeHint() const
{
    return {BannerWidth, BannerHeight};
}

#ifdef TARVENIX_WEB_BANNER
void BannerView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_web)
        return;
    // The page is laid out for the banner's own size; on a scaled board it is
    // zoomed rather than reflowed.
    m_web->setGeometry(rect());
    m_web->setZoomFactor(qreal(width()) / BannerWidth);
}

void BannerView::pageLoaded(bool ok)
{
    if (ok) {
        m_web->setGeometry(rect());
        m_web->show();
    } else {
        m_web->hide();
        update();
    }
}
#endif

void BannerView::paintEvent(QPaintEvent*)
{
    // Straight onto the widget, so the banner is sharp at any device pixel
    // ratio and at the size the scaled board gives it.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0.0, QColor(24, 52, 96));
    sky.setColorAt(1.0, QColor(8, 20, 44));
    p.fillRect(rect(), sky);

    // One army marker per seat, in the seats' board colours.
    static const QColor seatColors[] = {Qt::yellow, Qt::red,   Qt::cyan,
                                        Qt::blue,   Qt::green, Qt::magenta};
    const int radius = qMax(4, height() / 6);
    const int right = width() - 12;
    for (int seat = 0; seat < 6; ++seat) {
        const QPointF centre(right - radius - (5 - seat) * (radius * 2 + 4), height() / 2.0);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(seatColors[seat]);
        p.drawEllipse(centre, radius, radius);
    }

    QFont title = font();
    title.setBold(true);
    title.setPixelSize(qMax(10, height() * 2 / 5));
    p.setFont(title);
    p.setPen(Qt::white);
    const QRect titleRect(12, 0, width() / 2, height() * 2 / 3);
    p.drawText(titleRect, Qt::AlignLeft | Qt::AlignBottom, tr("Tarvenix"));

    QFont tagline = font();
    tagline.setPixelSize(qMax(8, height() / 6));
    p.setFont(tagline);
    p.setPen(QColor(200, 215, 240));
    p.drawText(QRect(12, height() * 2 / 3, width() / 2 + 60, height() / 3),
               Qt::AlignLeft | Qt::AlignTop, tr("Conquer the world, one turn at a time"));
}
