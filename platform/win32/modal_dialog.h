#pragma once
// A modal dialog laid out from a layout table, scaled to the dialog's DPI, that ends with the id
// of the button pressed: Setup's and Uninstal's dialogs, each in the system's modal loop. The
// dialogs that stay open beside others are ModelessDialog.
#include <windows.h>

#include <optional>
#include <span>
#include <string_view>

#include "platform/win32/scaled_dialog.h"

namespace lumiroll {

class ModalDialog final {
 public:
  explicit ModalDialog(const DialogLayout& layout);
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;
  ~ModalDialog();

  // Shows the dialog centred on the work area of its monitor, over the owner, takes the focus,
  // and returns the id that ended it; -1 when the dialog could not be made.
  [[nodiscard]] int Run(HWND owner);

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInit();
  void ButtonPressed(int id);

  DialogLayout layout_;
  HWND hwnd_ = nullptr;               // while it runs
  std::optional<ScaledDialog> body_;  // once the dialog's window exists
};

}  // namespace lumiroll
