#include "saver/win32/password.h"

namespace lumiroll {

// Not yet wired to the desktop: protection reads as off, every close is granted.
std::int16_t ReadUsePassword() { return 0; }
void SetScreenSaverRunning(bool) {}
bool VerifyScreenSavePassword(HWND) { return true; }
void ChangePassword(std::int32_t) {}

}  // namespace lumiroll
