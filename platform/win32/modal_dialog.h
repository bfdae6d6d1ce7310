#pragma once
// Modal dialogs laid out from a layout table, scaled to the dialog's DPI.
#include <windows.h>

#include <functional>
#include <span>
#include <string_view>

#include "platform/dialog_layout.h"

namespace lumiroll {

struct DialogLayout {
  std::wstring_view caption;
  int clientWidth, clientHeight;
  std::span<const ControlLayout> controls;  // in tab order
  int iconId = 0;
  // The result of closing the dialog by its close box, Alt+F4 or WM_CLOSE. Esc presses the
  // IDCANCEL button when the table has one and does nothing otherwise.
  int closeResult = IDCANCEL;
  // Runs when a button is pressed, while the dialog is still shown; the dialog then ends with
  // the button's id.
  std::function<void(HWND dialog, int buttonId)> onButton;
};

// Shows the dialog centred on the work area of its monitor, over the owner, takes the focus,
// and returns the id that ended it; -1 when the dialog could not be made.
int RunModalDialog(const DialogLayout& layout, HWND owner);

}  // namespace lumiroll
