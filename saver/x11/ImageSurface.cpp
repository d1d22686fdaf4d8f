#include "saver/x11/ImageSurface.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/socket.h>

#include <cstdlib>

#include "saver/x11/XErrors.h"

namespace saver::x11 {

bool SharedMemoryUsable(Display* display)
{
    if (!XShmQueryExtension(display))
        return false;
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(ConnectionNumber(display), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return false;
    return address.ss_family == AF_UNIX;
}

std::unique_ptr<ImageSurface> ImageSurface::Make(Display* display, Visual* visual, int depth, int width, int height,
                                                 bool use_shm)
{
    std::unique_ptr<ImageSurface> surface(new ImageSurface(display));
    if (!use_shm) {
        surface->image_ = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                                       static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
        if (!surface->image_)
            return nullptr;
        // XDestroyImage frees the data with free().
        surface->image_->data =
            static_cast<char*>(std::calloc(static_cast<std::size_t>(surface->image_->bytes_per_line), height));
        if (!surface->image_->data)
            return nullptr;
        return surface;
    }

    XShmSegmentInfo& info = surface->info_;
    info.shmid = -1;
    surface->shared_ = true;
    surface->image_ = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &info,
                                      static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!surface->image_)
        return nullptr;
    const std::size_t bytes = static_cast<std::size_t>(surface->image_->bytes_per_line) * height;
    info.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (info.shmid < 0)
        return nullptr;
    info.shmaddr = static_cast<char*>(shmat(info.shmid, nullptr, 0));
    if (info.shmaddr == reinterpret_cast<char*>(-1)) {
        info.shmaddr = nullptr;
        shmctl(info.shmid, IPC_RMID, nullptr);
        return nullptr;
    }
    surface->image_->data = info.shmaddr;
    info.readOnly = False;

    XErrorState& errors = XErrors();
    XSync(display, False);
    errors.shm_failed = false;
    const bool sent = XShmAttach(display, &info) != 0;
    // Once the server holds the segment (or has refused it) it can be marked
    // for removal: the system frees it when the last user lets go, however
    // the program ends.
    XSync(display, False);
    shmctl(info.shmid, IPC_RMID, nullptr);
    surface->attached_ = sent && !errors.shm_failed;
    if (!surface->attached_)
        return nullptr;
    return surface;
}

ImageSurface::~ImageSurface()
{
    if (shared_) {
        if (attached_) {
            XShmDetach(display_, &info_);
            // The server lets go before the memory does.
            XSync(display_, False);
        }
        if (image_)
            image_->data = nullptr;
        if (info_.shmaddr)
            shmdt(info_.shmaddr);
        if (info_.shmid >= 0 && !attached_)
            shmctl(info_.shmid, IPC_RMID, nullptr);
    }
    if (image_)
        XDestroyImage(image_);
}

void ImageSurface::Put(Drawable drawable, GC gc, int x, int y, int width, int height)
{
    if (shared_) {
        XShmPutImage(display_, drawable, gc, image_, x, y, x, y, static_cast<unsigned>(width),
                     static_cast<unsigned>(height), True);
        busy_ = true;
    } else {
        XPutImage(display_, drawable, gc, image_, x, y, x, y, static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
    }
}

} // namespace saver::x11
