#include "marquee.h"

#include "bannerview.h"

#include <QFontMetrics>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>

namespace {

QString promotionText()
{
    static const char* const sentences[] = {
        QT_TRANSLATE_NOOP("Marquee", "Thank you for trying Tarvenix!"),
        QT_TRANSLATE_NOOP("Marquee", "Tarvenix is a free online board game."),
        QT_TRANSLATE_NOOP("Marquee", "Thousands of people around the world play it every day."),
        QT_TRANSLATE_NOOP("Marquee", "If you like the game, please pass the program on to your "
                                     "friends."),
        QT_TRANSLATE_NOOP("Marquee", "You can support Tarvenix by becoming a member for one year."),
        QT_TRANSLATE_NOOP("Marquee", "A membership costs 25 dollars or 25 euros."),
        QT_TRANSLATE_NOOP("Marquee", "Running the game servers around the clock is costly."),
        QT_TRANSLATE_NOOP("Marquee", "Members enjoy a number of privileges."),
        QT_TRANSLATE_NOOP("Marquee", "Members can play through our web site without installing "
                                     "the program."),
        QT_TRANSLATE_NOOP("Marquee", "Members have a chatbox of their own."),
        QT_TRANSLATE_NOOP("Marquee", "Members can store the nicknames and internet addresses of "
                                     "their friends and enemies."),
        QT_TRANSLATE_NOOP("Marquee", "Members see the full host names of their opponents."),
        QT_TRANSLATE_NOOP("Marquee", "Members are not shown the banner and this message."),
        QT_TRANSLATE_NOOP("Marquee", "Members can vote for the admins."),
        QT_TRANSLATE_NOOP("Marquee", "More privileges are listed on www.tarvenix.example."),
        QT_TRANSLATE_NOOP("Marquee", "For more information visit www.tarvenix.example."),
        QT_TRANSLATE_NOOP("Marquee", "Questions? Write to support@tarvenix.example."),
    };
    const QString gap(10, QLatin1Char(' '));
    QString text;
    for (const char* sentence : sentences)
        text += Marquee::tr(sentence) + gap;
    return text;
}

} // namespace

Marquee::Marquee(QWidget* parent) : QWidget(parent), m_scrollText(promotionText())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(PanelSize);
    m_font = font();
    m_font.setPointSize(10);
    m_font.setBold(true);

    m_browser = new BannerView(this);
    m_browser->hide();

    // The timer keeps running while the marquee is hidden, so the text has moved
    // on when the panel comes back.
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("timer"));
    connect(m_timer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    connect(m_timer, &QTimer::timeout, this, &Marquee::increaseCurrent);
    m_timer->start(ScrollInterval);
}

int Marquee::textWidth() const
{
    return QFontMetrics(m_font).horizontalAdvance(m_scrollText);
}

void Marquee::increaseCurrent()
{
    m_offset += m_step;
    if (m_offset > PanelSize.width() + textWidth())
        m_offset = 0;
}

void Marquee::showBanner(bool show)
{
    m_browser->setVisible(show);
}

void Marquee::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const qreal sx = qreal(width()) / PanelSize.width();
    const qreal sy = qreal(height()) / PanelSize.height();
    m_browser->setGeometry(
        QRectF(3 * sx, 3 * sy, BannerView::BannerWidth * sx, BannerView::BannerHeight * sy)
            .toRect());
}

void Marquee::paintEvent(QPaintEvent*)
{
    // Drawn in panel units through the painter's scale rather than into a
    // pixmap at panel size, so the text stays sharp at any board size and
    // device pixel ratio.
    QPainter p(this);
    const qreal sx = qreal(width()) / PanelSize.width();
    const qreal sy = qreal(height()) / PanelSize.height();
    p.scale(sx, sy);
    p.setRenderHint(QPainter::Antialiasing, sx != 1 || sy != 1);
    const int w = PanelSize.width();
    const int h = PanelSize.height();
    // Black frames one unit wide round the red panel and its two white boxes.
    auto framed = [&p](const QRect& box, const QColor& fill) {
        p.fillRect(box, Qt::black);
        p.fillRect(box.adjusted(1, 1, -1, -1), fill);
    };
    framed(QRect(0, 0, w, h), Qt::red);
    framed(QRect(2, 2, 470, 62), Qt::white);
    framed(QRect(2, 66, 470, h - 68), Qt::white);
    p.setClipRect(QRect(QPoint(2, 2), QPoint(w - 3, h - 3)));
    p.setFont(m_font);
    p.setPen(Qt::black);
    const QFontMetrics metrics(m_font);
    const int baseline = (h + 65 - metrics.height()) / 2 + metrics.ascent();
    p.drawText(w - m_offset, baseline, m_scrollText);
}
