#pragma once

#include <QtGlobal>

#include <functional>

// Decides, at each tick of the main window's marquee timer, whether the board
// shows or hides its marquee: a shown marquee goes after ShowSeconds, a hidden
// one comes back RestSeconds after the last change, and members never see it.
class MarqueeRotation
{
public:
    using Clock = std::function<qint64()>;
    enum class Step { Keep, Show, Hide };

    static constexpr qint64 ShowSeconds = 10;
    static constexpr qint64 RestSeconds = 300;

    MarqueeRotation();

    // The clock returns wall-clock seconds; tests put in their own.
    void setClock(Clock clock);

    Step tick(bool marqueeVisible, bool member);

private:
    Clock m_clock;
    qint64 m_lastSwitch = 0;
};
