#pragma once
// Modal dialogs laid out from a table of controls, in pixels at 96 dots per inch, scaled to the
// dialog's DPI.
#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace lumiroll {

enum class ControlKind { Label, Picture, Button, DefaultButton };

struct DialogFont {
  std::wstring_view face = L"MS Sans Serif";  // a face that is not installed gets a look-alike
  int tenthsOfPoint = 83;
  bool bold = false;
};

struct DialogControl {
  int id;
  ControlKind kind;
  std::wstring_view text;
  int left, top, width, height;
  DialogFont font = {};
  int bitmapId = 0;  // Picture: the bitmap resource, stretched to the control's size
};

struct DialogLayout {
  std::wstring_view caption;
  int clientWidth, clientHeight;
  std::span<const DialogControl> controls;  // in tab order
  int iconId = 0;
  // The result of closing the dialog by its close box, Alt+F4 or WM_CLOSE. Esc presses the
  // IDCANCEL button when the table has one and does nothing otherwise.
  int closeResult = IDCANCEL;
  // Runs when a button is pressed, while the dialog is still shown; the dialog then ends with
  // the button's id.
  std::function<void(HWND dialog, int buttonId)> onButton;
};

// Shows the dialog centred on the screen, over the owner, takes the focus, and returns the id
// that ended it; -1 when the dialog could not be made.
int RunModalDialog(const DialogLayout& layout, HWND owner);

// An installed face for the one asked for: "MS Sans Serif" and "Arial" get a TrueType
// look-alike where they are missing (as under Wine); other faces are left to the font mapper.
[[nodiscard]] std::wstring InstalledFace(std::wstring_view face);

}  // namespace lumiroll
