#pragma once
// What every dialog drawn from a layout table does with its window, modal or not: the window
// sized to the table's client area at its DPI and centred, the controls made for that DPI with
// their fonts and artwork, and both done again when the window's DPI changes.
#include <windows.h>

#include <span>
#include <string_view>

#include "platform/dialog_layout.h"
#include "platform/win32/dialog_controls.h"

namespace lumiroll {

struct DialogLayout {
  std::wstring_view caption;
  int clientWidth, clientHeight;
  std::span<const ControlLayout> controls;  // in tab order
  int iconId = 0;
  // Modal dialogs: the result of closing the dialog by its close box, Alt+F4 or WM_CLOSE. Esc
  // presses the IDCANCEL button when the table has one and does nothing otherwise.
  int closeResult = IDCANCEL;
};

class ScaledDialog {
 public:
  ScaledDialog(HWND dialog, const DialogLayout& layout);

  // Sizes and centres the window on its monitor's work area, then makes the controls at the DPI
  // it ends up at.
  void Create();
  // WM_DPICHANGED: the client area for the new DPI, at the place the system suggests, and the
  // controls laid out again (when they exist: a change can come while the window is placed).
  void ChangeDpi(UINT dpi, const RECT& suggested);

  [[nodiscard]] UINT Dpi() const { return dpi_; }
  [[nodiscard]] bool HasControls() const { return created_; }
  [[nodiscard]] HWND Control(int id) const { return controls_.Control(id); }
  // The row's rectangle in the dialog's client area at the dialog's DPI.
  [[nodiscard]] RECT ClientRect(const ControlLayout& row) const { return controls_.ClientRect(row, dpi_); }

 private:
  HWND dialog_;  // not owned
  int clientWidth_, clientHeight_;
  UINT dpi_;
  DialogControls controls_;
  bool created_ = false;
};

}  // namespace lumiroll
