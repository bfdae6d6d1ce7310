#include "saver/config/win32/about_box.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/win32/clipboard.h"
#include "platform/win32/message_box.h"
#include "saver/config/about_box_layout.h"
#include "saver/win32/resource_ids.h"

namespace lumiroll {
namespace {

constexpr COLORREF kAddressColour = RGB(0, 0, 192);

}  // namespace

bool AboutBox::Create() {
  WindowOptions options = FixedDialogOptions(L"LumirollAbout", kAboutBoxTitle, IDI_LUMIROLL);
  // No owner: the box outlives a settings dialog closed by its close box. Over the cover, owned
  // by it (and topmost as it is), or the cover would hide it.
  options.owner = cover_;
  if (cover_) options.exStyle |= WS_EX_TOPMOST;
  if (!Window::Create(options)) return false;
  controls_.emplace(hwnd(), AboutBoxLayout());
  SizeAndCentre(hwnd(), kAboutBoxWidth, kAboutBoxHeight);
  controls_->Create(::GetDpiForWindow(hwnd()));
  ConnectControls();
  AddEmailToolTip();
  return true;
}

void AboutBox::ConnectControls() {
  Button(hwnd(), kIdCommand3).OnClick(callbacks_, [this] { Command3_Click(); });
  ClickableLabel(hwnd(), kIdLabel22).OnClick(callbacks_, [this] { Label22_Click(); });
  ClickableLabel(hwnd(), kIdLabel23).OnClick(callbacks_, [this] { Label23_Click(); });
}

void AboutBox::AddEmailToolTip() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&classes);
  // Owned by the box, so it goes with it.
  HWND tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
  if (!tip) return;
  std::wstring text(kEmailToolTip);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(Control(kIdLabel22));
  tool.lpszText = text.data();  // copied by the tool tip
  ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void AboutBox::Open() {
  if (IsOpen()) {
    ::ShowWindow(hwnd(), SW_RESTORE);
    ::SetForegroundWindow(hwnd());
    return;
  }
  // Each opening starts from the fixed contents.
  callbacks_ = {};
  if (!Create()) return;
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetForegroundWindow(hwnd());
  ::SetFocus(Control(kIdCommand3));
}

void AboutBox::OnDestroyed() {
  controls_.reset();
  closed_();
}

bool AboutBox::IsAddress(HWND control) const {
  return control == Control(kIdLabel22) || control == Control(kIdLabel23);
}

void AboutBox::Label22_Click() { CopyAddress(kIdLabel22, kEmailCopiedMessage); }
void AboutBox::Label23_Click() { CopyAddress(kIdLabel23, kWebPageCopiedMessage); }

LRESULT AboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: callbacks_.Dispatch(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return DialogFaceColours(reinterpret_cast<HDC>(wParam), IsAddress(reinterpret_cast<HWND>(lParam))
                                                                  ? kAddressColour
                                                                  : ::GetSysColor(COLOR_BTNTEXT));
    case WM_ACTIVATE:
      // OK is the only control that takes the keyboard focus.
      if (LOWORD(wParam) != WA_INACTIVE) ::SetFocus(Control(kIdCommand3));
      return 0;
    case WM_DPICHANGED:
      if (controls_) controls_->LayOut(HIWORD(wParam));
      SizeForDpi(hwnd(), kAboutBoxWidth, kAboutBoxHeight, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SETCURSOR:
      if (IsAddress(reinterpret_cast<HWND>(wParam))) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

void AboutBox::CopyAddress(int labelId, std::wstring_view confirmation) {
  const std::wstring text = WindowText(Control(labelId));
  // Another program holding the clipboard: no confirmation, since nothing was copied.
  if (!PutTextOnClipboard(text, hwnd())) return;
  ShowMessage(confirmation, kCopiedTitle, hwnd());
}

}  // namespace lumiroll
