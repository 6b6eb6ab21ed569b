#pragma once

#include <chrono>

namespace pw {

// Wall-clock time, injectable so that tests can move it by hand.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::chrono::milliseconds now() const = 0;
};

class SystemClock : public Clock
{
public:
    std::chrono::milliseconds now() const override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    }
};

class ManualClock : public Clock
{
public:
    std::chrono::milliseconds now() const override { return m_now; }
    void advance(std::chrono::milliseconds by) { m_now += by; }

private:
    std::chrono::milliseconds m_now {0};
};

} // namespace pw
