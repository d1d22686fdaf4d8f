#include "saver/wayland/ShmBuffer.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace saver::wayland {
namespace {

// A file descriptor closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

std::string Reason(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

std::unique_ptr<ShmBuffer> ShmBuffer::Make(wl_shm* shm, int width, int height, std::string& error)
{
    const int stride = width * 4;
    const std::size_t size = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
    // The compositor gets its own copy of the descriptor with the pool: this
    // one is closed at once, and the mapping alone stays.
    const Descriptor file(memfd_create("tessel-wayland", MFD_CLOEXEC | MFD_ALLOW_SEALING));
    if (file.get() < 0) {
        error = Reason("memfd_create");
        return nullptr;
    }
    if (ftruncate(file.get(), static_cast<off_t>(size)) != 0) {
        error = Reason("cannot size the shared memory");
        return nullptr;
    }
    // Neither side may shrink the file under the other's mapping.
    fcntl(file.get(), F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_SEAL);
    void* memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, file.get(), 0);
    if (memory == MAP_FAILED) {
        error = Reason("cannot map the shared memory");
        return nullptr;
    }
    std::unique_ptr<ShmBuffer> made(new ShmBuffer(width, height, memory, size));
    const Owned<wl_shm_pool> pool(
        wl_shm_create_pool(shm, file.get(), static_cast<std::int32_t>(size)));
    made->buffer_.reset(wl_shm_pool_create_buffer(pool.get(), 0, width, height, stride, WL_SHM_FORMAT_XRGB8888));
    static const wl_buffer_listener listener = {&ShmBuffer::Released};
    wl_buffer_add_listener(made->buffer_.get(), &listener, made.get());
    return made;
}

ShmBuffer::ShmBuffer(int width, int height, void* memory, std::size_t size)
    : width_(width), height_(height), memory_(memory), size_(size)
{
}

ShmBuffer::~ShmBuffer()
{
    buffer_.reset();
    munmap(memory_, size_);
}

PixelRows ShmBuffer::rows() const
{
    return {static_cast<std::uint32_t*>(memory_), width_, height_, static_cast<std::size_t>(width_)};
}

void ShmBuffer::Released(void* data, wl_buffer*)
{
    static_cast<ShmBuffer*>(data)->busy_ = false;
}

} // namespace saver::wayland
