#pragma once
// Modal dialogs laid out from a layout table, scaled to the dialog's DPI. A program's dialog is
// this class or one derived from it that handles its buttons as methods; each runs in the
// system's modal loop.
#include <windows.h>

#include <memory>
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
};

class DialogControls;

class ModalDialog {
 public:
  explicit ModalDialog(const DialogLayout& layout);
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;
  virtual ~ModalDialog();

  // Shows the dialog centred on the work area of its monitor, over the owner, takes the focus,
  // and returns the id that ended it; -1 when the dialog could not be made.
  [[nodiscard]] int Run(HWND owner);

 protected:
  // A button of the table pressed, while the dialog is still shown; it then ends with the id.
  virtual void OnButton(int /*buttonId*/) {}
  [[nodiscard]] HWND hwnd() const { return hwnd_; }

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInit();
  void ButtonPressed(int id);

  DialogLayout layout_;
  HWND hwnd_ = nullptr;  // while it runs
  std::unique_ptr<DialogControls> controls_;  // made once the dialog's window exists
};

}  // namespace lumiroll
