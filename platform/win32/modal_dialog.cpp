#include "platform/win32/modal_dialog.h"

#include <optional>
#include <vector>

#include "platform/callback_barrier.h"
#include "platform/win32/dialog_controls.h"

namespace lumiroll {
namespace {

struct DialogState {
  const DialogLayout* layout;
  std::optional<DialogControls> controls;  // made once the dialog's window exists
};

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
    HANDLE icon = ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_SHARED);
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

void InitDialog(HWND dialog, DialogState& state) {
  ::SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
  TakeOverDpiChanges(dialog);
  SetIcon(dialog, state.layout->iconId);
  state.controls.emplace(dialog, state.layout->controls);
  state.controls->Create(::GetDpiForWindow(dialog));
  SizeAndCentre(dialog, state.layout->clientWidth, state.layout->clientHeight);
  // Without a window manager (and when started from a console) nobody else gives us the focus.
  ::SetForegroundWindow(dialog);
  if (const ControlLayout* button = DefaultButton(*state.layout)) {
    ::SendMessageW(dialog, DM_SETDEFID, button->id, 0);
    ::SetFocus(state.controls->Control(button->id));
  }
}

void ButtonPressed(HWND dialog, DialogState& state, int id) {
  if (!HasControl(*state.layout, id)) return;  // Esc without a cancel button does nothing
  if (state.layout->onButton) state.layout->onButton(dialog, id);
  ::EndDialog(dialog, id);
}

INT_PTR HandleDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    InitDialog(dialog, *reinterpret_cast<DialogState*>(lParam));
    return FALSE;  // the focus is set
  }
  auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  if (!state || !state->controls) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) ButtonPressed(dialog, *state, LOWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      ::EndDialog(dialog, state->layout->closeResult);
      return TRUE;
    case WM_DPICHANGED:
      state->controls->LayOut(HIWORD(wParam));
      SizeForDpi(dialog, state->layout->clientWidth, state->layout->clientHeight, HIWORD(wParam),
                 *reinterpret_cast<const RECT*>(lParam));
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return CallBehindBarrier([&] { return HandleDialogMessage(dialog, message, wParam, lParam); });
}

}  // namespace

int RunModalDialog(const DialogLayout& layout, HWND owner) {
  const std::vector<WORD> dialogTemplate = EmptyTemplate(layout.caption);
  DialogState state{&layout, std::nullopt};
  const INT_PTR result =
      ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                                owner, &DialogProcedure, reinterpret_cast<LPARAM>(&state));
  return static_cast<int>(result);
}

}  // namespace lumiroll
