#include "saver/wayland/Owned.h"

namespace saver::wayland {

void Release::operator()(wl_display* display) const { wl_display_disconnect(display); }
void Release::operator()(wl_registry* registry) const { wl_registry_destroy(registry); }
void Release::operator()(wl_compositor* compositor) const { wl_compositor_destroy(compositor); }
void Release::operator()(wl_shm* shm) const { wl_shm_destroy(shm); }
void Release::operator()(wl_shm_pool* pool) const { wl_shm_pool_destroy(pool); }
void Release::operator()(wl_buffer* buffer) const { wl_buffer_destroy(buffer); }
void Release::operator()(wl_surface* surface) const { wl_surface_destroy(surface); }
void Release::operator()(wl_region* region) const { wl_region_destroy(region); }
void Release::operator()(wl_callback* callback) const { wl_callback_destroy(callback); }
void Release::operator()(zwlr_layer_surface_v1* layer) const { zwlr_layer_surface_v1_destroy(layer); }

void Release::operator()(wl_seat* seat) const
{
    if (wl_seat_get_version(seat) >= WL_SEAT_RELEASE_SINCE_VERSION)
        wl_seat_release(seat);
    else
        wl_seat_destroy(seat);
}

void Release::operator()(wl_keyboard* keyboard) const
{
    if (wl_keyboard_get_version(keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION)
        wl_keyboard_release(keyboard);
    else
        wl_keyboard_destroy(keyboard);
}

void Release::operator()(wl_pointer* pointer) const
{
    if (wl_pointer_get_version(pointer) >= WL_POINTER_RELEASE_SINCE_VERSION)
        wl_pointer_release(pointer);
    else
        wl_pointer_destroy(pointer);
}

void Release::operator()(wl_output* output) const
{
    if (wl_output_get_version(output) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
        wl_output_release(output);
    else
        wl_output_destroy(output);
}

void Release::operator()(zwlr_layer_shell_v1* shell) const
{
    if (zwlr_layer_shell_v1_get_version(shell) >= ZWLR_LAYER_SHELL_V1_DESTROY_SINCE_VERSION)
        zwlr_layer_shell_v1_destroy(shell);
    else
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(shell));
}

} // namespace saver::wayland
