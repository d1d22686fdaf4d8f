#pragma once
#include "saver/x11/XlibHeaders.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "saver/FrameBuffer.h"
#include "saver/FrontEnd.h"
#include "saver/FrameTimer.h"
#include "saver/x11/ImageSurface.h"
#include "saver/x11/PixelFormat.h"

// An X window as the frame host's front end: the monotonic clock, a frame
// timer that the program's loop waits on, and images put on the window at
// its real size.
namespace saver::x11 {

class X11FrontEnd final : public FrontEnd {
public:
    // The window must exist; its size and visual are read here.
    X11FrontEnd(Display* display, Window window, bool use_shm);
    ~X11FrontEnd() override;
    X11FrontEnd(const X11FrontEnd&) = delete;
    X11FrontEnd& operator=(const X11FrontEnd&) = delete;

    std::uint32_t NowMs() override;
    void SetFrameInterval(std::uint32_t interval_ms) override;
    // Draws the plans into a free image and puts the part they cover. With
    // shared memory a frame whose images are both still being read by the
    // server is dropped: frames never queue up behind a slow server.
    void Present(const weftcpplib::CDIBData& image, std::span<const BlitPlan> plans) override;
    // The same; a visual of the frame's own pixels gets the tiles straight
    // into the image put on the window.
    void PresentFrame(const FrameImage& frame, std::span<const BlitPlan> plans) override;

    FrameTimer& timer() { return timer_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool using_shm() const { return use_shm_; }
    std::uint64_t frames_shown() const { return shown_; }
    std::uint64_t frames_dropped() const { return dropped_; }

    // A new window size: true when the drawn size changed (the images are
    // made anew). The drawn size is bounded (BoundWindowSize).
    bool Resize(int width, int height);
    // Handles the server's completion events of shared-memory puts; false
    // for any other event.
    bool HandleCompletion(const XEvent& event);
    // Lets go of every image (the server first), before the display closes.
    void Release();

private:
    void Bound(int width, int height);
    ImageSurface* FreeSurface();
    void Fill(ImageSurface& surface, const FrameImage& frame, std::span<const BlitPlan> plans);

    Display* display_;
    Window window_;
    GC gc_;
    Visual* visual_;
    int depth_;
    PixelConverter converter_;
    bool use_shm_;
    int completion_type_ = -1;
    int width_ = 0, height_ = 0;
    FrameTimer timer_;
    std::vector<std::unique_ptr<ImageSurface>> surfaces_;
    std::optional<FrameBuffer> scratch_; // for visuals whose pixels differ from the frame's
    std::uint64_t shown_ = 0, dropped_ = 0;
};

} // namespace saver::x11
