#pragma once

#include <cstdint>

// Milliseconds on a monotonic clock. The engine keeps turn deadlines on it
// but never waits: whoever runs the game asks it to check the deadline.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() const = 0;
};
