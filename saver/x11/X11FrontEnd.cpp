#include "saver/x11/X11FrontEnd.h"

#include <algorithm>
#include <bit>
#include <cstdio>

#include "platform/System.h"
#include "saver/MonitorLayout.h"
#include "saver/x11/WindowDisplay.h"
#include "saver/x11/XErrors.h"
#include "weftcpplib/CWeftLogManager.h"

namespace saver::x11 {
namespace {

using weftcpplib::LOG_INFO;
using weftcpplib::LOG_WARN;
using weftcpplib::WeftLog;

constexpr int kHostByteOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;

// The pixels' own layout: stored as the frame holds them.
bool TakesFramePixels(const XImage& image, const PixelConverter& converter)
{
    return converter.IsIdentity() && image.bits_per_pixel == 32 && image.byte_order == kHostByteOrder;
}

} // namespace

X11FrontEnd::X11FrontEnd(Display* display, Window window, bool use_shm)
    : display_(display), window_(window), gc_(XCreateGC(display, window, 0, nullptr)), visual_(nullptr), depth_(0),
      converter_(0xFF0000u, 0xFF00u, 0xFFu), use_shm_(use_shm && SharedMemoryUsable(display))
{
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    visual_ = attributes.visual;
    depth_ = attributes.depth;
    Bound(attributes.width, attributes.height);
    converter_ = PixelConverter(static_cast<std::uint32_t>(visual_->red_mask),
                                static_cast<std::uint32_t>(visual_->green_mask),
                                static_cast<std::uint32_t>(visual_->blue_mask));
    if (use_shm_) {
        int first_event = 0, first_error = 0;
        XQueryExtension(display, "MIT-SHM", &XErrors().shm_opcode, &first_event, &first_error);
        completion_type_ = XShmGetEventBase(display) + ShmCompletion;
    }
    WeftLog().Print(LOG_INFO, L"X window 0x%lx : %d x %d, depth %d, masks %06lx %06lx %06lx, %ls",
                    static_cast<unsigned long>(window), width_, height_, depth_, visual_->red_mask,
                    visual_->green_mask, visual_->blue_mask, use_shm_ ? L"MIT-SHM" : L"XPutImage");
}

X11FrontEnd::~X11FrontEnd()
{
    Release();
    XFreeGC(display_, gc_);
}

std::uint32_t X11FrontEnd::NowMs()
{
    return platform::TickCountMs();
}

void X11FrontEnd::SetFrameInterval(std::uint32_t interval_ms)
{
    timer_.Set(interval_ms, NowMs());
}

void X11FrontEnd::Bound(int width, int height)
{
    const DrawnSize drawn = BoundWindowSize(width, height);
    width_ = drawn.width;
    height_ = drawn.height;
    if (drawn.whole)
        return;
    WeftLog().Print(LOG_WARN, L"window %d x %d too large : drawing its top-left %d x %d", width, height, width_,
                    height_);
    std::fprintf(stderr, "tessel-x11: the window (%d x %d) is larger than it draws: drawing its top-left %d x %d\n",
                 width, height, width_, height_);
}

bool X11FrontEnd::Resize(int width, int height)
{
    const DrawnSize drawn = BoundWindowSize(width, height);
    if (drawn.width == width_ && drawn.height == height_)
        return false;
    Bound(width, height);
    Release();
    scratch_.reset();
    return true;
}

void X11FrontEnd::Release()
{
    if (surfaces_.empty())
        return;
    // The server has read every image put so far once this returns.
    XSync(display_, False);
    surfaces_.clear();
}

bool X11FrontEnd::HandleCompletion(const XEvent& event)
{
    if (completion_type_ < 0 || event.type != completion_type_)
        return false;
    const auto& done = reinterpret_cast<const XShmCompletionEvent&>(event);
    for (auto& surface : surfaces_) {
        if (surface->shared() && surface->segment() == done.shmseg)
            surface->Completed();
    }
    return true;
}

ImageSurface* X11FrontEnd::FreeSurface()
{
    for (auto& surface : surfaces_) {
        if (!surface->busy())
            return surface.get();
    }
    // Two shared images: one is drawn while the server reads the other.
    const std::size_t wanted = use_shm_ ? 2 : 1;
    if (surfaces_.size() >= wanted)
        return nullptr;
    auto made = ImageSurface::Make(display_, visual_, depth_, width_, height_, use_shm_);
    if (!made && use_shm_ && surfaces_.empty()) {
        WeftLog().Print(LOG_WARN, L"shared memory refused by the X server : images are put without it");
        use_shm_ = false;
        made = ImageSurface::Make(display_, visual_, depth_, width_, height_, false);
    }
    if (!made)
        return nullptr;
    surfaces_.push_back(std::move(made));
    return surfaces_.back().get();
}

void X11FrontEnd::Fill(ImageSurface& surface, const FrameImage& frame, std::span<const BlitPlan> plans)
{
    XImage& target = *surface.image();
    if (TakesFramePixels(target, converter_)) {
        const PixelRows rows{reinterpret_cast<std::uint32_t*>(target.data), width_, height_,
                             static_cast<std::size_t>(target.bytes_per_line) / 4};
        for (const BlitPlan& plan : plans)
            frame.Draw(plan, rows);
        return;
    }
    if (!scratch_)
        scratch_.emplace(width_, height_);
    for (const BlitPlan& plan : plans)
        scratch_->Draw(frame.Image(), plan);
    const bool packed32 = target.bits_per_pixel == 32 && target.byte_order == kHostByteOrder;
    for (int y = 0; y < height_; ++y) {
        const std::uint32_t* in = scratch_->row(y);
        if (packed32) {
            auto* out = reinterpret_cast<std::uint32_t*>(target.data + static_cast<std::size_t>(y) * target.bytes_per_line);
            for (int x = 0; x < width_; ++x)
                out[x] = converter_.Convert(in[x]);
        } else {
            for (int x = 0; x < width_; ++x)
                XPutPixel(&target, x, y, converter_.Convert(in[x]));
        }
    }
}

void X11FrontEnd::Present(const weftcpplib::CDIBData& image, std::span<const BlitPlan> plans)
{
    PresentFrame(FrameImage(image), plans);
}

void X11FrontEnd::PresentFrame(const FrameImage& frame, std::span<const BlitPlan> plans)
{
    const Rect area = ReachedArea(plans, {0, 0, width_, height_});
    if (area.width == 0 || area.height == 0)
        return;
    ImageSurface* surface = FreeSurface();
    if (!surface) {
        ++dropped_;
        return;
    }
    Fill(*surface, frame, plans);
    surface->Put(window_, gc_, area.x, area.y, area.width, area.height);
    XFlush(display_);
    ++shown_;
}

} // namespace saver::x11
