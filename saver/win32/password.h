#pragma once
// The desktop's screen-saver password service.
#include <windows.h>

#include <cstdint>

namespace lumiroll {

// The desktop's protection flag (HKCU "Control Panel\Desktop" ScreenSaveUsePassword) as the
// number Form1 keeps in UsePassword.
[[nodiscard]] std::int16_t ReadUsePassword();

// Tells the desktop that a screen saver runs (true) or no longer runs (false).
void SetScreenSaverRunning(bool running);

// Shows the desktop's password dialog owned by the window; true when the show may end.
// Where the desktop has no such dialog, the show may end.
[[nodiscard]] bool VerifyScreenSavePassword(HWND owner);

// The desktop's change-password dialog for the screen saver, owned by the given window (0: none).
void ChangePassword(std::int32_t parentWindow);

}  // namespace lumiroll
