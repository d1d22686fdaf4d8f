#pragma once
#include <cstdint>
#include <functional>
#include <optional>

#include "saver/InputPolicy.h"
#include "saver/wayland/Owned.h"

// The user's input on the overlay: a key pressed, a button pressed or the
// pointer moved past the jitter threshold ends the saver, as on Windows.
// Keys already held when the keyboard focus came do not count.
namespace saver::wayland {

class Seat {
public:
    // Where a point of a surface lies in the virtual screen of all outputs
    // (physical pixels); nothing for a surface not the saver's.
    using Locate = std::function<std::optional<PointerPlace>(wl_surface* surface, double x, double y)>;

    Seat(wl_seat* seat, Locate locate);
    Seat(const Seat&) = delete;
    Seat& operator=(const Seat&) = delete;

    // What ended the saver (a text for the log), or null while nothing did.
    const wchar_t* ended_by() const { return ended_by_; }

private:
    static void Capabilities(void* data, wl_seat* seat, std::uint32_t capabilities);
    static void SeatName(void*, wl_seat*, const char*) {}
    void Pointed(wl_surface* surface, wl_fixed_t x, wl_fixed_t y, bool entered);

    static void KeyboardKeymap(void*, wl_keyboard*, std::uint32_t format, int fd, std::uint32_t size);
    static void KeyboardEnter(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}
    static void KeyboardLeave(void*, wl_keyboard*, std::uint32_t, wl_surface*) {}
    static void KeyboardKey(void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t key,
                            std::uint32_t state);
    static void KeyboardModifiers(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                                  std::uint32_t) {}
    static void KeyboardRepeat(void*, wl_keyboard*, std::int32_t, std::int32_t) {}

    static void PointerEnter(void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface,
                             wl_fixed_t x, wl_fixed_t y);
    static void PointerLeave(void*, wl_pointer*, std::uint32_t, wl_surface*) {}
    static void PointerMotion(void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y);
    static void PointerButton(void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t button,
                              std::uint32_t state);
    static void PointerAxis(void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {}
    static void PointerFrame(void*, wl_pointer*) {}
    static void PointerAxisSource(void*, wl_pointer*, std::uint32_t) {}
    static void PointerAxisStop(void*, wl_pointer*, std::uint32_t, std::uint32_t) {}
    static void PointerAxisDiscrete(void*, wl_pointer*, std::uint32_t, std::int32_t) {}

    Locate locate_;
    Owned<wl_keyboard> keyboard_;
    Owned<wl_pointer> pointer_;
    wl_surface* pointer_surface_ = nullptr;
    std::optional<PointerPlace> origin_;
    const wchar_t* ended_by_ = nullptr;
};

} // namespace saver::wayland
