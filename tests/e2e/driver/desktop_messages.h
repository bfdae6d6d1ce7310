#pragma once
// Messages the system sends a window that Wine does not send here, sent by hand.
#include <windows.h>

namespace lumiroll::e2e {

// The display's state changed (0 off, 1 on, 2 dimmed), as the system tells a window registered
// for it: the setting's data is put into the window's own process. false when it was not taken.
bool SendDisplayState(HANDLE process, HWND window, DWORD state, const GUID& setting = GUID_SESSION_DISPLAY_STATUS);

}  // namespace lumiroll::e2e
