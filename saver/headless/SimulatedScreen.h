#pragma once
#include <cstdint>

#include "saver/FrameBuffer.h"
#include "saver/FrontEnd.h"

// A front end without a window: a clock that moves only when told, by the
// timer's interval, and a screen in memory.
namespace saver::headless {

class SimulatedScreen final : public saver::FrontEnd {
public:
    SimulatedScreen(int width, int height) : frame_(width, height) {}

    std::uint32_t NowMs() override { return now_ms_; }
    void SetFrameInterval(std::uint32_t interval_ms) override { interval_ms_ = interval_ms; }
    void Present(const weftcpplib::CDIBData& image, std::span<const saver::BlitPlan> plans) override;

    // The time of the next timer expiry.
    void AdvanceToNextTick() { now_ms_ += interval_ms_; }

    std::uint32_t now_ms() const { return now_ms_; }
    std::uint32_t interval_ms() const { return interval_ms_; }
    const saver::FrameBuffer& frame() const { return frame_; }

private:
    saver::FrameBuffer frame_;
    std::uint32_t now_ms_ = 0;
    std::uint32_t interval_ms_ = 0;
};

} // namespace saver::headless
