#pragma once
#include <memory>

#include "saver/wayland/Protocols.h"

// Owners of Wayland objects: each lets go of its object when it goes, with
// the request that ends it where the object's version has one, else by
// forgetting the proxy.
namespace saver::wayland {

struct Release {
    void operator()(wl_display* display) const;
    void operator()(wl_registry* registry) const;
    void operator()(wl_compositor* compositor) const;
    void operator()(wl_shm* shm) const;
    void operator()(wl_shm_pool* pool) const;
    void operator()(wl_buffer* buffer) const;
    void operator()(wl_seat* seat) const;
    void operator()(wl_keyboard* keyboard) const;
    void operator()(wl_pointer* pointer) const;
    void operator()(wl_output* output) const;
    void operator()(wl_surface* surface) const;
    void operator()(wl_region* region) const;
    void operator()(wl_callback* callback) const;
    void operator()(zwlr_layer_shell_v1* shell) const;
    void operator()(zwlr_layer_surface_v1* layer) const;
};

template <typename T>
using Owned = std::unique_ptr<T, Release>;

} // namespace saver::wayland
