#pragma once
#include <windows.h>

#include "saver/win32/SaverState.h"

// The screen-saver password of the older Windows family: a registry switch,
// a verifier in the password control-panel library, and the network
// provider router for changing it. Missing pieces disable the feature.
namespace saver::win32 {

// The private message that asks the verifier, sent to the saver window.
inline constexpr UINT MSG_VERIFY_PASSWORD = 0x8000;

// Tells the older family whether a saver runs; elsewhere nothing.
void SetSaverRunning(bool older_family, bool running);
void LoadPasswordVerifier(SaverState& state);
void UnloadPasswordVerifier(SaverState& state);
// Asks for the password before the window may close; true when it may.
bool VerifyPassword(SaverState& state, HWND window);
void ChangePassword(HWND parent);

} // namespace saver::win32
