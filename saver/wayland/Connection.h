#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "saver/wayland/Owned.h"

// The connection to the compositor and the globals the saver draws with:
// the compositor, shared memory, the seat and layer-shell. Outputs are
// handed on as they come and go.
namespace saver::wayland {

class Connection {
public:
    // Connects to the display of WAYLAND_DISPLAY; on failure ok() is false
    // and error() says what is missing.
    Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Told of every output announced from now on (id: its global name; the
    // receiver owns the output) and of every global that goes.
    std::function<void(std::uint32_t id, wl_output* output)> output_added;
    std::function<void(std::uint32_t id)> global_removed;

    // Reads the globals (outputs included). False, with error(), when the
    // compositor lacks what the saver needs.
    bool ReadGlobals();

    bool ok() const { return display_ != nullptr && error_.empty(); }
    const std::string& error() const { return error_; }
    wl_display* display() const { return display_.get(); }
    wl_compositor* compositor() const { return compositor_.get(); }
    wl_shm* shm() const { return shm_.get(); }
    wl_seat* seat() const { return seat_.get(); }
    zwlr_layer_shell_v1* layer_shell() const { return layer_shell_.get(); }

private:
    static void Global(void* data, wl_registry* registry, std::uint32_t id, const char* interface,
                       std::uint32_t version);
    static void GlobalRemove(void* data, wl_registry* registry, std::uint32_t id);

    Owned<wl_display> display_;
    Owned<wl_registry> registry_;
    Owned<wl_compositor> compositor_;
    Owned<wl_shm> shm_;
    Owned<wl_seat> seat_;
    Owned<zwlr_layer_shell_v1> layer_shell_;
    std::string error_;
};

} // namespace saver::wayland
