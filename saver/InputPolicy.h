#pragma once
#include <cstdint>

// Which user input and system events end the full-screen saver.
namespace saver {

// Mouse movement up to this many pixels (|dx| + |dy|) is jitter, not a user.
inline constexpr int kMouseThreshold = 4;

struct CursorPoint {
    long x;
    long y;
};

bool MouseMovedBeyondThreshold(CursorPoint origin, CursorPoint now);

// The virtual screen (all monitors together) that pointer coordinates are
// measured in.
struct ScreenArea {
    long left;
    long top;
    long width;
    long height;
    bool operator==(const ScreenArea&) const = default;
};

// Where the pointer is, and in which virtual screen.
struct PointerPlace {
    CursorPoint point;
    ScreenArea screen;
};

enum class PointerAction {
    Stay,    // jitter
    Rebase,  // the monitors changed: the coordinates moved, not the user's hand
    Close,
};

// A pointer move measured from `origin`. When the virtual screen is no longer
// the one the origin was taken in, a monitor was added, removed or moved,
// and the pointer's coordinates jumped with the screen's origin; the notice
// of that change may come after the move, or never. Such a move is the
// layout's, whatever its size: the origin is taken anew.
PointerAction DecidePointerMove(const PointerPlace& origin, const PointerPlace& now);

enum class PowerAction {
    AllowSuspend, // answer a suspend query with 1, nothing else
    Close,
    Ignore,
};

// WM_POWERBROADCAST: wParam is the event, bit 0 of lParam marks a resume the
// system started by itself (no user present).
PowerAction DecidePowerBroadcast(std::uintptr_t event, std::intptr_t data);

enum class SysCommandAction {
    Swallow,     // task switching and a nested saver start are refused
    CloseFirst,  // monitor power-down: close, then handle as usual
    PassOn,
};

// wParam of WM_SYSCOMMAND in full screen (the low four bits are the system's).
SysCommandAction DecideSysCommand(std::uintptr_t command);

} // namespace saver
