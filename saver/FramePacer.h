#pragma once
#include <cstdint>
#include <optional>

// The frame timer's interval: starts at 1000 / fps, grows when the work of
// two ticks in a row overruns it, and shrinks back towards 1000 / fps once
// the work fits again. A slow machine thus settles just above its work time
// instead of queuing ticks.
namespace saver {

inline constexpr std::uint32_t kMinFps = 1;
inline constexpr std::uint32_t kMaxFps = 120;
// Slack added to a measured work time when the interval is adapted.
inline constexpr std::uint32_t kIntervalSlackMs = 16;

// A damaged data file may hold 0 or a huge rate; the timer runs at the
// nearest rate the settings allow instead of dividing by zero or spinning.
std::uint32_t ClampFps(std::uint32_t fps);

class FramePacer {
public:
    // Returns the first interval.
    std::uint32_t Start(std::uint32_t fps);

    // Work time of one tick; returns the new interval when it changes.
    std::optional<std::uint32_t> AfterWork(std::uint32_t work_ms);

    std::uint32_t interval_ms() const { return interval_ms_; }
    std::uint32_t base_ms() const { return base_ms_; }

private:
    std::uint32_t base_ms_ = 1000 / 30;
    std::uint32_t interval_ms_ = 1000 / 30;
    std::uint32_t pending_overrun_ms_ = 0; // 0 = the last tick fitted
};

// Accumulates a scene's play time between checks; tick counts wrap at 2^32.
class PlayClock {
public:
    void Restart(std::uint32_t now_ms);
    void Reset() { played_ms_ = 0; }

    // Adds the time since the last check and tells whether the limit
    // (0 = none) has been passed; then the clock starts over.
    bool CheckExpired(std::uint32_t now_ms, std::uint32_t limit_ms);

    std::uint32_t played_ms() const { return played_ms_; }

private:
    std::uint32_t played_ms_ = 0;
    std::uint32_t last_check_ms_ = 0;
};

// Minutes of play as the timer's milliseconds; negative or absurd minutes
// (a damaged file) saturate instead of wrapping into a short limit.
std::uint32_t PlayLimitMs(std::int32_t minutes);

} // namespace saver
