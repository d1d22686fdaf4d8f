#include "saver/FramePacer.h"

#include <algorithm>
#include <limits>

namespace saver {

std::uint32_t ClampFps(std::uint32_t fps)
{
    return std::clamp(fps, kMinFps, kMaxFps);
}

std::uint32_t FramePacer::Start(std::uint32_t fps)
{
    base_ms_ = 1000 / ClampFps(fps);
    interval_ms_ = base_ms_;
    pending_overrun_ms_ = 0;
    return interval_ms_;
}

std::optional<std::uint32_t> FramePacer::AfterWork(std::uint32_t work_ms)
{
    std::optional<std::uint32_t> adopted;
    if (work_ms > interval_ms_) {
        // One slow tick is tolerated; two in a row move the interval to their
        // average plus slack.
        if (pending_overrun_ms_ == 0) {
            pending_overrun_ms_ = work_ms;
            return std::nullopt;
        }
        const std::uint32_t candidate = ((work_ms + pending_overrun_ms_) >> 1) + kIntervalSlackMs;
        if (candidate != interval_ms_)
            adopted = candidate;
    } else {
        std::uint32_t candidate = work_ms + kIntervalSlackMs;
        if (candidate < interval_ms_) {
            candidate = std::max(candidate, base_ms_);
            if (candidate != interval_ms_)
                adopted = candidate;
        }
    }
    pending_overrun_ms_ = 0;
    if (adopted)
        interval_ms_ = *adopted;
    return adopted;
}

void PlayClock::Restart(std::uint32_t now_ms)
{
    played_ms_ = 0;
    last_check_ms_ = now_ms;
}

bool PlayClock::CheckExpired(std::uint32_t now_ms, std::uint32_t limit_ms)
{
    bool expired = false;
    if (limit_ms > 0) {
        played_ms_ += now_ms - last_check_ms_;
        if (played_ms_ > limit_ms) {
            played_ms_ = 0;
            expired = true;
        }
    }
    last_check_ms_ = now_ms;
    return expired;
}

std::uint32_t PlayLimitMs(std::int32_t minutes)
{
    if (minutes <= 0)
        return 0;
    constexpr std::uint32_t kMaxMinutes = std::numeric_limits<std::uint32_t>::max() / 60000;
    return static_cast<std::uint32_t>(std::min<std::uint32_t>(static_cast<std::uint32_t>(minutes), kMaxMinutes)) *
           60000u;
}

} // namespace saver
