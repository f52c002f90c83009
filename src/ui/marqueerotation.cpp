#include "marqueerotation.h"

#include <QDateTime>

MarqueeRotation::MarqueeRotation() : m_clock([] { return QDateTime::currentSecsSinceEpoch(); }) {}

void MarqueeRotation::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

MarqueeRotation::Step MarqueeRotation::tick(bool marqueeVisible, bool member)
{
    const qint64 now = m_clock();
    if (marqueeVisible) {
        if (now - m_lastSwitch < ShowSeconds)
            return Step::Keep;
        m_lastSwitch = now;
        return Step::Hide;
    }
    if (member || now - m_lastSwitch < RestSeconds)
        return Step::Keep;
    m_lastSwitch = now;
    return Step::Show;
}
