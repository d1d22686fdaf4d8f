#include "saver/wayland/Connection.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace saver::wayland {
namespace {

template <typename T>
T* Bind(wl_registry* registry, std::uint32_t id, const wl_interface& interface, std::uint32_t offered,
        std::uint32_t wanted)
{
    return static_cast<T*>(wl_registry_bind(registry, id, &interface, std::min(offered, wanted)));
}

} // namespace

Connection::Connection() : display_(wl_display_connect(nullptr))
{
    if (display_)
        return;
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (!name || !*name)
        error_ = "no Wayland display: WAYLAND_DISPLAY is not set";
    else
        error_ = std::string("cannot connect to the Wayland display '") + name + "'";
}

bool Connection::ReadGlobals()
{
    static const wl_registry_listener listener = {&Connection::Global, &Connection::GlobalRemove};
    registry_.reset(wl_display_get_registry(display_.get()));
    wl_registry_add_listener(registry_.get(), &listener, this);
    if (wl_display_roundtrip(display_.get()) < 0) {
        error_ = "the compositor closed the connection";
        return false;
    }
    if (!layer_shell_)
        error_ = "the compositor has no layer-shell (zwlr_layer_shell_v1): it cannot show full-screen layers";
    else if (!compositor_ || !shm_)
        error_ = "the compositor offers no wl_compositor or wl_shm";
    return error_.empty();
}

void Connection::Global(void* data, wl_registry* registry, std::uint32_t id, const char* interface,
                        std::uint32_t version)
{
    auto& self = *static_cast<Connection*>(data);
    const auto is = [interface](const wl_interface& known) { return std::strcmp(interface, known.name) == 0; };
    if (is(wl_compositor_interface) && !self.compositor_) {
        // damage_buffer came with version 4.
        self.compositor_.reset(Bind<wl_compositor>(registry, id, wl_compositor_interface, version, 4));
    } else if (is(wl_shm_interface) && !self.shm_) {
        self.shm_.reset(Bind<wl_shm>(registry, id, wl_shm_interface, version, 1));
    } else if (is(wl_seat_interface) && !self.seat_) {
        self.seat_.reset(Bind<wl_seat>(registry, id, wl_seat_interface, version, 5));
    } else if (is(zwlr_layer_shell_v1_interface) && !self.layer_shell_) {
        self.layer_shell_.reset(Bind<zwlr_layer_shell_v1>(registry, id, zwlr_layer_shell_v1_interface, version, 3));
    } else if (is(wl_output_interface)) {
        auto* output = Bind<wl_output>(registry, id, wl_output_interface, version, 4);
        if (self.output_added)
            self.output_added(id, output);
        else
            Release()(output);
    }
}

void Connection::GlobalRemove(void* data, wl_registry*, std::uint32_t id)
{
    auto& self = *static_cast<Connection*>(data);
    if (self.global_removed)
        self.global_removed(id);
}

} // namespace saver::wayland
