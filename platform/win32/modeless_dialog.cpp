#include "platform/win32/modeless_dialog.h"

#include <utility>

namespace lumiroll {

ModelessDialog::ModelessDialog(std::wstring className, const DialogLayout& layout)
    : className_(std::move(className)), layout_(layout) {}

bool ModelessDialog::Create(HWND owner) {
  callbacks_ = {};
  lastFocus_ = nullptr;
  WindowOptions options = FixedDialogOptions(className_, layout_.caption, layout_.iconId);
  options.owner = owner;
  if (owner) options.exStyle |= WS_EX_TOPMOST;
  if (!Window::Create(options)) return false;
  body_.emplace(hwnd(), layout_);
  body_->Create();
  return true;
}

void ModelessDialog::Show() {
  ::ShowWindow(hwnd(), SW_SHOW);
  // Without a window manager (and when started from a console) nobody else gives us the focus.
  ::SetForegroundWindow(hwnd());
  ::SetFocus(FirstFocus());
}

void ModelessDialog::BringToFront() {
  ::ShowWindow(hwnd(), SW_RESTORE);
  ::SetForegroundWindow(hwnd());
}

LRESULT ModelessDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: callbacks_.Dispatch(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return DialogFaceColours(reinterpret_cast<HDC>(wParam), TextColour(reinterpret_cast<HWND>(lParam)));
    case WM_ACTIVATE: OnActivate(LOWORD(wParam) != WA_INACTIVE); return 0;
    case WM_DPICHANGED:
      if (!body_) break;
      body_->ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      if (body_->HasControls()) OnDpiChanged();
      return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}

// As a dialog does: the focus leaves with the window and comes back to the same control.
void ModelessDialog::OnActivate(bool active) {
  if (!active) {
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(hwnd(), focus)) lastFocus_ = focus;
    return;
  }
  ::SetFocus(lastFocus_ && ::IsWindow(lastFocus_) ? lastFocus_ : FirstFocus());
}

void ModelessDialog::OnDestroyed() {
  body_.reset();
  lastFocus_ = nullptr;
  OnClosed();
}

}  // namespace lumiroll
