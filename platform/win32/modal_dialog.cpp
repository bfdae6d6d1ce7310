#include "platform/modal_dialog.h"

#include <map>
#include <vector>

#include "platform/callback_barrier.h"
#include "platform/handles.h"
#include "platform/window.h"

namespace lumiroll {
namespace {

struct DialogState {
  const DialogLayout* layout;
  std::vector<UniqueFont> fonts;      // one per control, remade when the DPI changes
  std::vector<UniqueBitmap> bitmaps;  // the pictures' bitmaps, owned here, shown by the statics
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

UniqueFont MakeFont(const DialogFont& font, UINT dpi) {
  const std::wstring face = InstalledFace(font.face);
  return UniqueFont(::CreateFontW(-::MulDiv(font.tenthsOfPoint, static_cast<int>(dpi), 720), 0, 0, 0,
                                  font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                                  face.c_str()));
}

const wchar_t* ControlClass(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::Picture ? L"STATIC" : L"BUTTON";
}

DWORD ControlStyle(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label: return SS_LEFT | SS_NOPREFIX;
    case ControlKind::Picture: return SS_BITMAP | SS_REALSIZECONTROL;
    case ControlKind::Button: return BS_PUSHBUTTON | WS_TABSTOP;
    case ControlKind::DefaultButton: return BS_DEFPUSHBUTTON | WS_TABSTOP;
  }
  return 0;
}

void CreateControls(HWND dialog, const DialogLayout& layout) {
  bool first = true;
  for (const DialogControl& control : layout.controls) {
    const std::wstring text(control.text);
    const DWORD style = WS_CHILD | WS_VISIBLE | ControlStyle(control.kind) | (first ? WS_GROUP : 0);
    ::CreateWindowExW(0, ControlClass(control.kind), text.c_str(), style, 0, 0, 0, 0, dialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), ::GetModuleHandleW(nullptr),
                      nullptr);
    if (control.kind == ControlKind::DefaultButton) ::SendMessageW(dialog, DM_SETDEFID, control.id, 0);
    first = false;
  }
}

RECT DialogRect(const DialogLayout& layout, UINT dpi) {
  RECT rect{0, 0, ScaleForDpi(layout.clientWidth, dpi), ScaleForDpi(layout.clientHeight, dpi)};
  ::AdjustWindowRectExForDpi(&rect, kDialogStyle, FALSE, kDialogExStyle, dpi);
  return rect;
}

bool Holds(const std::vector<UniqueBitmap>& bitmaps, HBITMAP bitmap) {
  for (const UniqueBitmap& held : bitmaps)
    if (held.get() == bitmap) return true;
  return false;
}

// Shows the bitmap in a picture control. The control hands back the image it showed before:
// either one of ours, freed with the old layout, or a copy it made of an image with alpha,
// which is ours to free now.
void ShowBitmap(HWND picture, HBITMAP bitmap, const std::vector<UniqueBitmap>& oldBitmaps) {
  auto* previous = reinterpret_cast<HBITMAP>(
      ::SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  if (previous && !Holds(oldBitmaps, previous)) UniqueBitmap(previous).reset();
}

// Places and sizes the controls, fonts and pictures for the DPI. The old fonts and bitmaps
// live until the controls have let go of them.
void LayOut(HWND dialog, DialogState& state, UINT dpi) {
  std::vector<UniqueFont> fonts;
  std::vector<UniqueBitmap> bitmaps;
  for (const DialogControl& control : state.layout->controls) {
    HWND item = ::GetDlgItem(dialog, control.id);
    const int width = ScaleForDpi(control.width, dpi), height = ScaleForDpi(control.height, dpi);
    ::MoveWindow(item, ScaleForDpi(control.left, dpi), ScaleForDpi(control.top, dpi), width, height, FALSE);
    if (control.kind == ControlKind::Picture) {
      bitmaps.emplace_back(static_cast<HBITMAP>(::LoadImageW(
          ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(control.bitmapId), IMAGE_BITMAP, width, height, 0)));
      ShowBitmap(item, bitmaps.back().get(), state.bitmaps);
      continue;
    }
    fonts.push_back(MakeFont(control.font, dpi));
    ::SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.back().get()), FALSE);
  }
  state.fonts = std::move(fonts);
  state.bitmaps = std::move(bitmaps);
  ::InvalidateRect(dialog, nullptr, TRUE);
}

void CentreOnScreen(HWND dialog, const RECT& rect) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& screen = monitor.rcMonitor;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  ::SetWindowPos(dialog, nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
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

HWND DefaultButton(HWND dialog, const DialogLayout& layout) {
  for (const DialogControl& control : layout.controls)
    if (control.kind == ControlKind::DefaultButton) return ::GetDlgItem(dialog, control.id);
  return nullptr;
}

bool HasControl(const DialogLayout& layout, int id) {
  for (const DialogControl& control : layout.controls)
    if (control.id == id) return true;
  return false;
}

void InitDialog(HWND dialog, DialogState& state) {
  ::SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
  TakeOverDpiChanges(dialog);
  SetIcon(dialog, state.layout->iconId);
  CreateControls(dialog, *state.layout);
  const UINT dpi = ::GetDpiForWindow(dialog);
  LayOut(dialog, state, dpi);
  CentreOnScreen(dialog, DialogRect(*state.layout, dpi));
  // Without a window manager (and when started from a console) nobody else gives us the focus.
  ::SetForegroundWindow(dialog);
  if (HWND button = DefaultButton(dialog, *state.layout)) ::SetFocus(button);
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
  if (!state) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) ButtonPressed(dialog, *state, LOWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      ::EndDialog(dialog, state->layout->closeResult);
      return TRUE;
    case WM_DPICHANGED: {
      LayOut(dialog, *state, HIWORD(wParam));
      const RECT size = DialogRect(*state->layout, HIWORD(wParam));
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(dialog, nullptr, suggested->left, suggested->top, size.right - size.left,
                     size.bottom - size.top, SWP_NOZORDER | SWP_NOACTIVATE);
      return TRUE;
    }
  }
  return FALSE;
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return CallBehindBarrier([&] { return HandleDialogMessage(dialog, message, wParam, lParam); });
}

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceInstalled(std::wstring_view face) {
  if (face.size() >= LF_FACESIZE) return false;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  face.copy(wanted.lfFaceName, face.size());
  bool found = false;
  ScopedGetDc screen(nullptr);
  ::EnumFontFamiliesExW(screen.get(), &wanted, &FaceFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

int RunModalDialog(const DialogLayout& layout, HWND owner) {
  const std::vector<WORD> dialogTemplate = EmptyTemplate(layout.caption);
  DialogState state{&layout, {}, {}};
  const INT_PTR result =
      ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                                owner, &DialogProcedure, reinterpret_cast<LPARAM>(&state));
  return static_cast<int>(result);
}

std::wstring InstalledFace(std::wstring_view face) {
  // The TrueType successor first: the old bitmap face does not scale to every size.
  static const std::map<std::wstring_view, std::vector<std::wstring_view>> preferred = {
      {L"MS Sans Serif", {L"Microsoft Sans Serif", L"Tahoma", L"DejaVu Sans Condensed", L"MS Sans Serif"}},
      {L"Arial", {L"Arial", L"Liberation Sans", L"DejaVu Sans", L"Tahoma"}},
  };
  const auto entry = preferred.find(face);
  if (entry == preferred.end()) return std::wstring(face);
  for (std::wstring_view candidate : entry->second)
    if (FaceInstalled(candidate)) return std::wstring(candidate);
  return std::wstring(face);
}

}  // namespace lumiroll
