#pragma once
#include "saver/x11/XlibHeaders.h"

#include <cstdint>
#include <memory>

// One X image of the window's size that frames are drawn into and put on the
// window: in a shared-memory segment the server reads directly (MIT-SHM), or
// in the program's memory, sent with each put.
namespace saver::x11 {

class ImageSurface {
public:
    // Null when no image could be made. With use_shm, a segment the server
    // cannot attach (a remote display) gives null too: the caller then falls
    // back to an image without shared memory.
    static std::unique_ptr<ImageSurface> Make(Display* display, Visual* visual, int depth, int width, int height,
                                              bool use_shm);
    ~ImageSurface();
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;

    XImage* image() const { return image_; }
    bool shared() const { return shared_; }
    ShmSeg segment() const { return info_.shmseg; }
    int width() const { return image_->width; }
    int height() const { return image_->height; }

    // A shared image is busy from its put until the server's completion
    // event: it must not be drawn into meanwhile.
    bool busy() const { return busy_; }
    void Completed() { busy_ = false; }

    // Puts the part of the image at x, y, width, height on the drawable.
    void Put(Drawable drawable, GC gc, int x, int y, int width, int height);

private:
    ImageSurface(Display* display) : display_(display) {}

    Display* display_;
    XImage* image_ = nullptr;
    XShmSegmentInfo info_{};
    bool shared_ = false;
    bool attached_ = false;
    bool busy_ = false;
};

// Whether the display offers MIT-SHM and is reached through a local socket
// (a segment of this machine means nothing to a server elsewhere).
bool SharedMemoryUsable(Display* display);

} // namespace saver::x11
