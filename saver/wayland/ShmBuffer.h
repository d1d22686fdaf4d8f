#pragma once
#include <cstddef>
#include <memory>
#include <string>

#include "saver/FrameBuffer.h"
#include "saver/wayland/Owned.h"

// One picture's worth of shared memory the compositor reads: an anonymous
// memory file mapped here and shared as a wl_buffer of 32-bit pixels with
// the frame images' own layout (XRGB8888), so frames are drawn straight
// into it. The compositor holds it from its attach until it sends release;
// meanwhile it must not be drawn into.
namespace saver::wayland {

class ShmBuffer {
public:
    // Nothing, with the reason, when the memory cannot be had.
    static std::unique_ptr<ShmBuffer> Make(wl_shm* shm, int width, int height, std::string& error);
    ~ShmBuffer();
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;

    PixelRows rows() const;
    int width() const { return width_; }
    int height() const { return height_; }
    wl_buffer* buffer() const { return buffer_.get(); }
    bool busy() const { return busy_; }
    // The buffer was committed: the compositor holds it until release.
    void Attached() { busy_ = true; }

private:
    ShmBuffer(int width, int height, void* memory, std::size_t size);
    static void Released(void* data, wl_buffer* buffer);

    int width_, height_;
    void* memory_;
    std::size_t size_;
    Owned<wl_buffer> buffer_;
    bool busy_ = false;
};

} // namespace saver::wayland
