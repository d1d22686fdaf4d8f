#pragma once
#include <cstdint>

// The frame timer of a front end that runs its own loop: ticks fall on a
// grid of the interval from when it was set; a late tick is not made up
// (the next one falls on the next grid point after it), so ticks never queue.
namespace saver {

class FrameTimer {
public:
    void Set(std::uint32_t interval_ms, std::uint32_t now_ms)
    {
        interval_ = interval_ms ? interval_ms : 1;
        next_ = now_ms + interval_;
        running_ = true;
    }
    bool running() const { return running_; }
    std::uint32_t interval_ms() const { return interval_; }

    bool Due(std::uint32_t now_ms) const { return running_ && Ahead(now_ms) <= 0; }

    // Milliseconds to wait for the next tick: never more than the interval;
    // -1 (wait for events alone) while no interval is set.
    int WaitMs(std::uint32_t now_ms) const
    {
        if (!running_)
            return -1;
        const std::int32_t ahead = Ahead(now_ms);
        if (ahead <= 0)
            return 0;
        return static_cast<int>(static_cast<std::uint32_t>(ahead) < interval_ ? static_cast<std::uint32_t>(ahead)
                                                                              : interval_);
    }

    // After a tick started at now_ms: the next grid point after it.
    void Fired(std::uint32_t now_ms)
    {
        const std::int32_t late = -Ahead(now_ms);
        if (late < 0)
            return;
        next_ += interval_ * (static_cast<std::uint32_t>(late) / interval_ + 1);
    }

private:
    // Signed distance to the next tick; the clock wraps at 2^32.
    std::int32_t Ahead(std::uint32_t now_ms) const { return static_cast<std::int32_t>(next_ - now_ms); }

    std::uint32_t interval_ = 1;
    std::uint32_t next_ = 0;
    bool running_ = false;
};

} // namespace saver
