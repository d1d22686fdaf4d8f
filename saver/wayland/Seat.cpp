#include "saver/wayland/Seat.h"

#include <unistd.h>

#include "weftcpplib/CWeftLogManager.h"

namespace saver::wayland {

Seat::Seat(wl_seat* seat, Locate locate) : locate_(std::move(locate))
{
    static const wl_seat_listener listener = {&Seat::Capabilities, &Seat::SeatName};
    wl_seat_add_listener(seat, &listener, this);
}

void Seat::Capabilities(void* data, wl_seat* seat, std::uint32_t capabilities)
{
    auto& self = *static_cast<Seat*>(data);
    const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    if (keyboard && !self.keyboard_) {
        static const wl_keyboard_listener listener = {&Seat::KeyboardKeymap, &Seat::KeyboardEnter,
                                                      &Seat::KeyboardLeave,  &Seat::KeyboardKey,
                                                      &Seat::KeyboardModifiers, &Seat::KeyboardRepeat};
        self.keyboard_.reset(wl_seat_get_keyboard(seat));
        wl_keyboard_add_listener(self.keyboard_.get(), &listener, &self);
    } else if (!keyboard) {
        self.keyboard_.reset();
    }
    const bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    if (pointer && !self.pointer_) {
        static const wl_pointer_listener listener = {&Seat::PointerEnter, &Seat::PointerLeave, &Seat::PointerMotion,
                                                     &Seat::PointerButton, &Seat::PointerAxis, &Seat::PointerFrame,
                                                     &Seat::PointerAxisSource, &Seat::PointerAxisStop,
                                                     &Seat::PointerAxisDiscrete, nullptr};
        // Events of later versions (axis_value120) are never sent to the
        // version bound.
        self.pointer_.reset(wl_seat_get_pointer(seat));
        wl_pointer_add_listener(self.pointer_.get(), &listener, &self);
    } else if (!pointer) {
        self.pointer_.reset();
        self.origin_.reset();
    }
}

void Seat::KeyboardKeymap(void*, wl_keyboard*, std::uint32_t, int fd, std::uint32_t)
{
    // Any key ends the saver: which one it is never matters.
    close(fd);
}

void Seat::KeyboardKey(void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t key,
                       std::uint32_t state)
{
    auto& self = *static_cast<Seat*>(data);
    if (state != WL_KEYBOARD_KEY_STATE_PRESSED || self.ended_by_)
        return;
    weftcpplib::WeftLog().Print(weftcpplib::LOG_INFO, L"key %u pressed : ending", key);
    self.ended_by_ = L"a key";
}

void Seat::PointerEnter(void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface, wl_fixed_t x,
                        wl_fixed_t y)
{
    auto& self = *static_cast<Seat*>(data);
    // No cursor over the saver.
    wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
    self.pointer_surface_ = surface;
    self.Pointed(surface, x, y, true);
}

void Seat::PointerMotion(void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y)
{
    auto& self = *static_cast<Seat*>(data);
    self.Pointed(self.pointer_surface_, x, y, false);
}

void Seat::Pointed(wl_surface* surface, wl_fixed_t x, wl_fixed_t y, bool entered)
{
    const auto now = locate_(surface, wl_fixed_to_double(x), wl_fixed_to_double(y));
    if (!now)
        return;
    // The first place the pointer is seen at is where it rests.
    if (!origin_) {
        origin_ = now;
        return;
    }
    switch (DecidePointerMove(*origin_, *now)) {
    case PointerAction::Stay:
        break;
    case PointerAction::Rebase:
        origin_ = now;
        break;
    case PointerAction::Close:
        if (!ended_by_) {
            weftcpplib::WeftLog().Print(weftcpplib::LOG_INFO, L"pointer moved%ls : ending",
                                        entered ? L" onto another output" : L"");
            ended_by_ = L"the pointer";
        }
        break;
    }
}

void Seat::PointerButton(void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t button,
                         std::uint32_t state)
{
    auto& self = *static_cast<Seat*>(data);
    if (state != WL_POINTER_BUTTON_STATE_PRESSED || self.ended_by_)
        return;
    weftcpplib::WeftLog().Print(weftcpplib::LOG_INFO, L"button %u pressed : ending", button);
    self.ended_by_ = L"a button";
}

} // namespace saver::wayland
