#pragma once
// A dialog that stays open beside the program's other windows: a window of the program's own
// loop, laid out from a layout table at its DPI. The loop gives it the dialog keys (Tab, Enter,
// Escape, arrows) through IsDialogMessage, as its style is WS_EX_CONTROLPARENT. The dialog hands
// its controls' notifications to their callbacks, paints labels on the face colour, gives the
// focus back to the control that had it when the user returns to it, and lays itself out again
// when its DPI changes. Derived dialogs handle their own messages first and pass the rest on.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/controls.h"
#include "platform/win32/scaled_dialog.h"
#include "platform/win32/window.h"

namespace lumiroll {

class ModelessDialog : public Window {
 public:
  ModelessDialog(std::wstring className, const DialogLayout& layout);

  [[nodiscard]] bool IsOpen() const { return hwnd() != nullptr; }
  // Shows the dialog in front and gives the focus to its first control.
  void Show();
  // An open dialog, restored if minimised, in front again.
  void BringToFront();

 protected:
  // Makes the window and the table's controls, from fresh callbacks. Over an owner (null: none)
  // the dialog is owned by it and topmost as it is, or the owner would hide it.
  [[nodiscard]] bool Create(HWND owner);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The control the focus goes to when the dialog opens, or comes back with none remembered.
  [[nodiscard]] virtual HWND FirstFocus() const = 0;
  // The text colour of a label or button on the face.
  [[nodiscard]] virtual COLORREF TextColour(HWND /*control*/) const { return ::GetSysColor(COLOR_BTNTEXT); }
  // The controls of the table were laid out again for a new DPI.
  virtual void OnDpiChanged() {}
  // The window is gone; the object lives on and may open it again.
  virtual void OnClosed() {}

  [[nodiscard]] ControlCallbacks& Callbacks() { return callbacks_; }
  [[nodiscard]] UINT Dpi() const { return body_ ? body_->Dpi() : 96; }
  [[nodiscard]] HWND Control(int id) const { return ::GetDlgItem(hwnd(), id); }
  // The row's rectangle in the client area at the dialog's DPI.
  [[nodiscard]] RECT ClientRect(const ControlLayout& row) const { return body_ ? body_->ClientRect(row) : RECT{}; }

 private:
  void OnDestroyed() final;
  void OnActivate(bool active);

  std::wstring className_;
  DialogLayout layout_;
  std::optional<ScaledDialog> body_;  // while the window exists
  ControlCallbacks callbacks_;
  HWND lastFocus_ = nullptr;  // not owned: a child control
};

}  // namespace lumiroll
