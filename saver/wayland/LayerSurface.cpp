#include "saver/wayland/LayerSurface.h"

#include <algorithm>
#include <climits>

#include "platform/Utf16.h"
#include "saver/FrameBuffer.h"
#include "weftcpplib/CWeftLogManager.h"

namespace saver::wayland {
namespace {

using weftcpplib::LOG_WARN;
using weftcpplib::WeftLog;

// Two buffers: one is drawn while the compositor reads the other.
constexpr std::size_t kBuffersPerOutput = 2;
// No output is larger than this a side; a larger configure is a fault.
constexpr int kLargestSide = 16384;

constexpr std::uint32_t kAllEdges = ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;

} // namespace

LayerSurface::LayerSurface(const Connection& connection, wl_output* output, bool background)
    : connection_(connection), surface_(wl_compositor_create_surface(connection.compositor()))
{
    layer_.reset(zwlr_layer_shell_v1_get_layer_surface(
        connection.layer_shell(), surface_.get(), output,
        background ? ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND : ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "tessel"));
    static const zwlr_layer_surface_v1_listener listener = {&LayerSurface::Configure, &LayerSurface::Closed};
    zwlr_layer_surface_v1_add_listener(layer_.get(), &listener, this);
    zwlr_layer_surface_v1_set_anchor(layer_.get(), kAllEdges);
    zwlr_layer_surface_v1_set_size(layer_.get(), 0, 0);
    // Over panels and bars too, never moved aside by them.
    zwlr_layer_surface_v1_set_exclusive_zone(layer_.get(), -1);
    if (background) {
        // Pointer and touch pass through an empty input region.
        const Owned<wl_region> none(wl_compositor_create_region(connection.compositor()));
        wl_surface_set_input_region(surface_.get(), none.get());
        zwlr_layer_surface_v1_set_keyboard_interactivity(layer_.get(), 0);
    } else {
        zwlr_layer_surface_v1_set_keyboard_interactivity(layer_.get(), 1);
    }
    wl_surface_commit(surface_.get());
}

bool LayerSurface::SetScale(int scale)
{
    scale = std::clamp(scale, 1, 8);
    if (scale == scale_)
        return false;
    scale_ = scale;
    buffers_.clear();
    resized_ = configured_;
    return resized_;
}

void LayerSurface::Configure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial, std::uint32_t width,
                             std::uint32_t height)
{
    auto& self = *static_cast<LayerSurface*>(data);
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    const int w = static_cast<int>(std::min<std::uint32_t>(width, kLargestSide));
    const int h = static_cast<int>(std::min<std::uint32_t>(height, kLargestSide));
    if (w == 0 || h == 0) {
        WeftLog().Print(LOG_WARN, L"layer configured at %u x %u : not drawn", width, height);
        return;
    }
    if (!self.configured_ || w != self.logical_width_ || h != self.logical_height_) {
        self.logical_width_ = w;
        self.logical_height_ = h;
        self.buffers_.clear();
        self.resized_ = true;
    }
    if (!self.configured_) {
        // Black at once, until the first frame is drawn.
        self.configured_ = true;
        if (ShmBuffer* buffer = self.FreeBuffer())
            self.Commit(*buffer, {0, 0, buffer->width(), buffer->height()});
    }
}

void LayerSurface::Closed(void* data, zwlr_layer_surface_v1*)
{
    auto& self = *static_cast<LayerSurface*>(data);
    self.closed_ = true;
    self.buffers_.clear();
}

void LayerSurface::FrameDone(void* data, wl_callback*, std::uint32_t)
{
    auto& self = *static_cast<LayerSurface*>(data);
    self.frame_.reset();
    self.frame_pending_ = false;
}

ShmBuffer* LayerSurface::FreeBuffer()
{
    for (auto& buffer : buffers_) {
        if (!buffer->busy())
            return buffer.get();
    }
    if (buffers_.size() >= kBuffersPerOutput)
        return nullptr;
    std::string error;
    auto made = ShmBuffer::Make(connection_.shm(), width(), height(), error);
    if (!made) {
        if (error != last_error_)
            WeftLog().Print(LOG_WARN, L"no buffer of %d x %d : %ls", width(), height(),
                            platform::WideFromUtf8(error).c_str());
        last_error_ = error;
        return nullptr;
    }
    buffers_.push_back(std::move(made));
    return buffers_.back().get();
}

bool LayerSurface::Draw(const FrameImage& frame, std::span<const BlitPlan> plans, const Rect& where)
{
    ShmBuffer* buffer = WantsFrame() ? FreeBuffer() : nullptr;
    if (!buffer)
        return false;
    const PixelRows rows = buffer->rows();
    for (BlitPlan plan : plans) {
        plan.dest.x -= where.x;
        plan.dest.y -= where.y;
        frame.Draw(plan, rows);
    }
    Commit(*buffer, ReachedArea(plans, where));
    return true;
}

void LayerSurface::Commit(ShmBuffer& buffer, const Rect& damage)
{
    wl_surface* surface = surface_.get();
    wl_surface_attach(surface, buffer.buffer(), 0, 0);
    wl_surface_set_buffer_scale(surface, scale_);
    if (wl_surface_get_version(surface) >= WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION)
        wl_surface_damage_buffer(surface, damage.x, damage.y, damage.width, damage.height);
    else
        wl_surface_damage(surface, 0, 0, INT_MAX, INT_MAX);
    static const wl_callback_listener listener = {&LayerSurface::FrameDone};
    frame_.reset(wl_surface_frame(surface));
    wl_callback_add_listener(frame_.get(), &listener, this);
    frame_pending_ = true;
    wl_surface_commit(surface);
    buffer.Attached();
}

} // namespace saver::wayland
