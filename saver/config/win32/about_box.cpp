#include "saver/config/win32/about_box.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>

#include "platform/win32/clipboard.h"
#include "platform/win32/message_box.h"
#include "saver/config/about_box_layout.h"
#include "saver/resource_ids.h"

namespace lumiroll {
namespace {

constexpr COLORREF kAddressColour = RGB(0, 0, 192);

}  // namespace

AboutBox::AboutBox(std::function<void()> closed)
    : ModelessDialog(L"LumirollAbout", {.caption = kAboutBoxTitle,
                                        .clientWidth = kAboutBoxWidth,
                                        .clientHeight = kAboutBoxHeight,
                                        .controls = AboutBoxLayout(),
                                        .iconId = IDI_LUMIROLL}),
      closed_(std::move(closed)) {}

void AboutBox::ConnectControls() {
  Button(hwnd(), kIdCommand3).OnClick(Callbacks(), [this] { Command3_Click(); });
  ClickableLabel(hwnd(), kIdLabel22).OnClick(Callbacks(), [this] { Label22_Click(); });
  ClickableLabel(hwnd(), kIdLabel23).OnClick(Callbacks(), [this] { Label23_Click(); });
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

// Each opening starts from the fixed contents.
void AboutBox::Open() {
  if (IsOpen()) return BringToFront();
  if (!Create(cover_)) return;
  ConnectControls();
  AddEmailToolTip();
  Show();
}

// OK is the only control that takes the keyboard focus.
HWND AboutBox::FirstFocus() const { return Control(kIdCommand3); }

COLORREF AboutBox::TextColour(HWND control) const {
  return IsAddress(control) ? kAddressColour : ::GetSysColor(COLOR_BTNTEXT);
}

bool AboutBox::IsAddress(HWND control) const {
  return control == Control(kIdLabel22) || control == Control(kIdLabel23);
}

void AboutBox::Label22_Click() { CopyAddress(kIdLabel22, kEmailCopiedMessage); }
void AboutBox::Label23_Click() { CopyAddress(kIdLabel23, kWebPageCopiedMessage); }

LRESULT AboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR && IsAddress(reinterpret_cast<HWND>(wParam))) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
  }
  return ModelessDialog::HandleMessage(message, wParam, lParam);
}

void AboutBox::CopyAddress(int labelId, std::wstring_view confirmation) {
  const std::wstring text = WindowText(Control(labelId));
  // Another program holding the clipboard: no confirmation, since nothing was copied.
  if (!PutTextOnClipboard(text, hwnd())) return;
  ShowMessage(confirmation, kCopiedTitle, hwnd());
}

}  // namespace lumiroll
