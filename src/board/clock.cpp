#include "clock.h"

#include <QPainter>
#include <QPixmap>
#include <QTimer>

Clock::Clock(QWidget* parent) : QWidget(parent), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("Clock"));
    setMinimumSize(100, 30);
    m_timer->setInterval(200);
    connect(m_timer, &QTimer::timeout, this, &Clock::recalculate);
    set(0);
}

void Clock::set(int seconds)
{
    m_deadline = QDateTime::currentDateTimeUtc().addSecs(seconds);
    m_timer->start();
    update();
}

void Clock::stop()
{
    m_deadline = QDateTime::currentDateTimeUtc();
    m_timer->stop();
    update();
}

int Clock::remaining() const
{
    const qint64 msecs = QDateTime::currentDateTimeUtc().msecsTo(m_deadline);
    if (msecs <= 0)
        return 0;
    return int((msecs + 999) / 1000);
}

QString Clock::text() const
{
    const int left = remaining();
    return QString::asprintf("%02d:%02d", left / 60, left % 60);
}

bool Clock::isWarning() const
{
    const int left = remaining();
    return left >= 1 && left <= 10;
}

bool Clock::isCounting() const
{
    return m_timer->isActive();
}

void Clock::recalculate()
{
    update();
    if (remaining() <= 0)
        m_timer->stop();
}

void Clock::paintEvent(QPaintEvent*)
{
    QPixmap buffer(size() * devicePixelRatioF());
    buffer.setDevicePixelRatio(devicePixelRatioF());
    buffer.fill(palette().color(backgroundRole()));
    {
        QPainter painter(&buffer);
        if (isWarning()) {
            painter.setPen(Qt::black);
            painter.setBrush(Qt::red);
            painter.drawRect(4, 4, width() - 8 - 1, height() - 8 - 1);
        }
        QFont font = painter.font();
        font.setPointSize(24);
        painter.setFont(font);
        const QFontMetrics metrics(font);
        const QString shown = text();
        const int x = (width() - metrics.horizontalAdvance(shown)) / 2;
        const int y = (height() - metrics.height()) / 2 + metrics.ascent();
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(x, y, shown);
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}
