#include "marquee.h"

#include "bannerview.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
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
    if (m_offset > width() + textWidth())
        m_offset = 0;
}

void Marquee::showBanner(bool show)
{
    if (show) {
        m_browser->setGeometry(3, 3, BannerView::BannerWidth, BannerView::BannerHeight);
        m_browser->show();
    } else {
        m_browser->hide();
    }
}

void Marquee::paintEvent(QPaintEvent*)
{
    const int w = width();
    const int h = height();
    QPixmap image(size());
    QPainter p(&image);
    p.setFont(m_font);
    p.setPen(Qt::black);
    p.setBrush(Qt::red);
    p.drawRect(0, 0, w - 1, h - 1);
    p.setBrush(Qt::white);
    p.drawRect(2, 2, 470 - 1, 62 - 1);
    p.drawRect(2, 66, 470 - 1, h - 68 - 1);
    p.setClipRect(QRect(QPoint(2, 2), QPoint(w - 3, h - 3)));
    const QFontMetrics metrics(m_font);
    const int baseline = (h + 65 - metrics.height()) / 2 + metrics.ascent();
    p.drawText(w - m_offset, baseline, m_scrollText);
    p.end();

    QPainter(this).drawPixmap(0, 0, image);
}
