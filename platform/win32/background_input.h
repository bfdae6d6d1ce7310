#pragma once
// Keys heard by a window even while another program holds the foreground: the system may refuse
// a program the foreground (SetForegroundWindow's rules), and keys then go to the program that
// had it. Raw keyboard input registered with RIDEV_INPUTSINK still reaches the window. The mouse
// needs nothing of the kind: its messages go to the window under the pointer, foreground or not.
#include <windows.h>

#include <optional>

namespace lumiroll {

// Registers the window for the keyboard's raw input, in the foreground and behind it; false
// when the system refuses.
[[nodiscard]] bool HearKeysInTheBackground(HWND window);

// The virtual-key code of a key pressed, from one WM_INPUT that came while the program was not
// in the foreground (in the foreground the window's own key messages tell the same); nothing
// otherwise. The message must still go to DefWindowProc.
[[nodiscard]] std::optional<WORD> BackgroundKeyDown(WPARAM wParam, LPARAM lParam);

}  // namespace lumiroll
