#pragma once
#include <cstdint>
#include <span>

#include "saver/BlitPlan.h"
#include "saver/FrameImage.h"
#include "weftcpplib/CDIBData.h"

// What a front end (a window system, or none at all) implements to run the
// saver. It also chooses where the settings are kept: it hands a
// SettingsStore (saver/SettingsStores.h, saver/UserSettingsStore.h) with its
// FrontEnd to SaverParts::MakeHost, and gets the FrameHost that does
// everything else: scenes, the automaton, colouring, filters, tiling and the
// choice of blits.
//
// Contract:
// - Threads: every call, both ways, is made on one thread, the front end's.
//   The front end calls FrameHost (Start, SetDisplay, Tick, Stop); FrameHost
//   calls back into the front end and the store only from inside those calls.
// - Ownership: the front end and its store outlive their FrameHost. Images
//   passed to Present belong to the host and are valid only during the
//   call; copy what must outlive it. Nothing else is handed over.
// - Order: Start once (with a CreateInfo of saver/DisplayInfo.h, usually
//   CreateInfo::FullScreen or CreateInfo::Preview), which has the store read
//   the settings; then Tick for every timer expiry; and Stop once, which has
//   the store keep them unless the run is a preview.
namespace saver {

// Puts finished images on the screen (also implemented alone by tests and
// benchmarks, which need no clock).
class FramePresenter {
public:
    virtual ~FramePresenter() = default;
    // Called at the end of a Tick, once for each distinct image of the frame
    // (one, or one per distinct monitor size), with every place it goes; a
    // front end that composes the frame in memory (FrameBuffer) shows it
    // once Tick has returned.
    // The image's rows are stored bottom-up (storage row 0 is the bottom
    // row on screen); the plans' rectangles count rows from the top of the
    // shown image and from the top left of the client area. Clip to the
    // client area. Copy plans are 1:1; stretch plans scale source to dest
    // (set_halftone: smooth scaling is wanted). A frame that cannot be shown
    // is dropped; the next Tick draws a whole new one.
    virtual void Present(const weftcpplib::CDIBData& image, std::span<const BlitPlan> plans) = 0;
    // What the frame loop calls, as Present. A front end that draws into
    // memory of the frame's pixel layout takes the frame here and draws each
    // plan with FrameImage::Draw, which tiles a whole 1:1 copy straight into
    // its memory; others get the image made and handed to Present.
    virtual void PresentFrame(const FrameImage& frame, std::span<const BlitPlan> plans)
    {
        Present(frame.Image(), plans);
    }
};

class FrontEnd : public FramePresenter {
public:
    // Milliseconds since any fixed start, wrapping at 2^32. Read at the start
    // and end of each tick's work and at Start; a simulated clock may advance
    // it by the interval per tick.
    virtual std::uint32_t NowMs() = 0;
    // Tick from now on every interval_ms (at least 1), replacing any earlier
    // interval. Called once inside Start and again whenever the work of the
    // ticks asks for another pace. A front end that runs its own loop sleeps
    // until the next expiry; late ticks are not made up.
    virtual void SetFrameInterval(std::uint32_t interval_ms) = 0;
};

} // namespace saver
