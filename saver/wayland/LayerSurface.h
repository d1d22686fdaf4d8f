#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "saver/BlitPlan.h"
#include "saver/wayland/Connection.h"
#include "saver/wayland/Owned.h"
#include "saver/wayland/ShmBuffer.h"
#include "saver/FrameImage.h"

// The saver's surface on one output: a layer covering the whole output
// (overlay with the keyboard taken, or background with no input at all),
// drawn at the output's physical pixels. A frame goes out only when the
// compositor asked for one (its frame callback), so an output that is not
// shown costs nothing, and only into a buffer the compositor has released:
// else the frame is dropped for this output, never queued.
namespace saver::wayland {

class LayerSurface {
public:
    LayerSurface(const Connection& connection, wl_output* output, bool background);
    LayerSurface(const LayerSurface&) = delete;
    LayerSurface& operator=(const LayerSurface&) = delete;

    // The output's scale (wl_output.scale): the size drawn is the layer's
    // size times it. True when the drawn size changed.
    bool SetScale(int scale);

    // Configured by the compositor and not closed.
    bool shown() const { return configured_ && !closed_; }
    bool closed() const { return closed_; }
    // The drawn size, in physical pixels (0 before the first configure).
    int width() const { return logical_width_ * scale_; }
    int height() const { return logical_height_ * scale_; }
    wl_surface* surface() const { return surface_.get(); }
    int scale() const { return scale_; }

    // Ready for a frame: shown, and the compositor is not still busy with
    // the last one.
    bool WantsFrame() const { return shown() && !frame_pending_; }
    // Draws the plans (whose rectangles are in the virtual screen, where
    // this output is `where`) and commits the picture. False when the frame
    // was dropped (no buffer free, or none could be made).
    bool Draw(const FrameImage& frame, std::span<const BlitPlan> plans, const Rect& where);

    // Set by the compositor's configure when the drawn size changed.
    bool TakeResized()
    {
        const bool was = resized_;
        resized_ = false;
        return was;
    }

private:
    static void Configure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial, std::uint32_t width,
                          std::uint32_t height);
    static void Closed(void* data, zwlr_layer_surface_v1* layer);
    static void FrameDone(void* data, wl_callback* callback, std::uint32_t time);

    ShmBuffer* FreeBuffer();
    void Commit(ShmBuffer& buffer, const Rect& damage);

    const Connection& connection_;
    Owned<wl_surface> surface_;
    Owned<zwlr_layer_surface_v1> layer_;
    Owned<wl_callback> frame_;
    std::vector<std::unique_ptr<ShmBuffer>> buffers_;
    int logical_width_ = 0, logical_height_ = 0;
    int scale_ = 1;
    bool configured_ = false;
    bool closed_ = false;
    bool frame_pending_ = false;
    bool resized_ = false;
    std::string last_error_;
};

} // namespace saver::wayland
