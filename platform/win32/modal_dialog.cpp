#include "platform/win32/modal_dialog.h"

#include <vector>

#include "platform/callback_barrier.h"

namespace lumiroll {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// An empty template: the controls are made from the table in WM_INITDIALOG, in pixels.
std::vector<WORD> EmptyTemplate(std::wstring_view caption) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
  header->style = kDialogStyle;
  header->dwExtendedStyle = kDialogExStyle;
  words.push_back(0);  // no menu
  words.push_back(0);  // the standard dialog class
  words.insert(words.end(), caption.begin(), caption.end());
  words.push_back(0);
  return words;
}

// Windows 10 1703 and later rescale template dialogs themselves; we lay out from the table
// instead. Looked up at run time: older systems and Wine lack the function.
void TakeOverDpiChanges(HWND dialog) {
  using SetBehavior = BOOL(WINAPI*)(HWND, int, int);
  constexpr int kDisableAll = 1;
  const auto set = reinterpret_cast<SetBehavior>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetDialogDpiChangeBehavior")));
  if (set) set(dialog, kDisableAll, kDisableAll);
}

void SetIcon(HWND dialog, int iconId) {
  if (iconId == 0) return;
  for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
    const int size = ::GetSystemMetrics(metric);
    // Not owned: a shared icon belongs to the system.
    HANDLE icon =
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_SHARED);
    ::SendMessageW(dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  }
}

const ControlLayout* DefaultButton(const DialogLayout& layout) {
  for (const ControlLayout& control : layout.controls)
    if (control.kind == LayoutKind::DefaultButton) return &control;
  return nullptr;
}

bool HasControl(const DialogLayout& layout, int id) {
  for (const ControlLayout& control : layout.controls)
    if (control.id == id) return true;
  return false;
}

}  // namespace

ModalDialog::ModalDialog(const DialogLayout& layout) : layout_(layout) {}
ModalDialog::~ModalDialog() = default;

int ModalDialog::Run(HWND owner) {
  const std::vector<WORD> dialogTemplate = EmptyTemplate(layout_.caption);
  const INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr),
                                                   reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
                                                   &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
  hwnd_ = nullptr;
  body_.reset();
  return static_cast<int>(result);
}

// The object comes with WM_INITDIALOG; the messages before it get the default handling.
INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return CallBehindBarrier([&]() -> INT_PTR {
    if (message == WM_INITDIALOG) {
      auto* self = reinterpret_cast<ModalDialog*>(lParam);
      self->hwnd_ = dialog;
      ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      self->OnInit();
      return FALSE;  // the focus is set
    }
    auto* self = reinterpret_cast<ModalDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    return self && self->body_ ? self->HandleMessage(message, wParam, lParam) : FALSE;
  });
}

void ModalDialog::OnInit() {
  TakeOverDpiChanges(hwnd_);
  SetIcon(hwnd_, layout_.iconId);
  body_.emplace(hwnd_, layout_);
  body_->Create();
  // Without a window manager (and when started from a console) nobody else gives us the focus.
  ::SetForegroundWindow(hwnd_);
  if (const ControlLayout* button = DefaultButton(layout_)) {
    ::SendMessageW(hwnd_, DM_SETDEFID, button->id, 0);
    ::SetFocus(body_->Control(button->id));
  }
}

void ModalDialog::ButtonPressed(int id) {
  if (!HasControl(layout_, id)) return;  // Esc without a cancel button does nothing
  ::EndDialog(hwnd_, id);
}

INT_PTR ModalDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) ButtonPressed(LOWORD(wParam));
      return TRUE;
    case WM_CLOSE: ::EndDialog(hwnd_, layout_.closeResult); return TRUE;
    case WM_DPICHANGED: body_->ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return TRUE;
  }
  return FALSE;
}

}  // namespace lumiroll
