#include "platform/win32/scaled_dialog.h"

namespace lumiroll {

ScaledDialog::ScaledDialog(HWND dialog, const DialogLayout& layout)
    : dialog_(dialog), clientWidth_(layout.clientWidth), clientHeight_(layout.clientHeight),
      dpi_(::GetDpiForWindow(dialog)), controls_(dialog, layout.controls) {}

void ScaledDialog::Create() {
  SizeAndCentre(dialog_, clientWidth_, clientHeight_);
  dpi_ = ::GetDpiForWindow(dialog_);  // centred on another monitor, the window may have changed DPI
  controls_.Create(dpi_);
  created_ = true;
}

void ScaledDialog::ChangeDpi(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  SizeForDpi(dialog_, clientWidth_, clientHeight_, dpi, suggested);
  if (created_) controls_.LayOut(dpi);
}

}  // namespace lumiroll
