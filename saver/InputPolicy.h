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
