#include "saver/config/win32/dialog_controls.h"

#include <cmath>
#include <utility>

#include "platform/modal_dialog.h"
#include "platform/window.h"
#include "saver/win32/resource_ids.h"

namespace lumiroll {
namespace {

struct ClassAndStyle {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle ClassFor(const ControlLayout& row) {
  constexpr DWORD list = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  switch (row.kind) {
    case LayoutKind::Frame:
      return {L"BUTTON", BS_GROUPBOX, 0};
    case LayoutKind::FolderList:
      return {L"LISTBOX", list | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, WS_EX_CLIENTEDGE};
    case LayoutKind::FileList:
      return {L"LISTBOX", list, WS_EX_CLIENTEDGE};
    case LayoutKind::DriveList:
      return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0};
    case LayoutKind::OptionButton:
      return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
    case LayoutKind::Label:
      return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case LayoutKind::RightLabel:
      return {L"STATIC", SS_RIGHT | SS_NOPREFIX, 0};
    case LayoutKind::LinkLabel:
      return {L"STATIC", SS_RIGHT | SS_NOPREFIX | SS_NOTIFY, 0};
    case LayoutKind::TextBox:
      return {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case LayoutKind::Button:
      return {L"BUTTON", BS_PUSHBUTTON, 0};
    case LayoutKind::DefaultButton:
      return {L"BUTTON", BS_DEFPUSHBUTTON, 0};
    case LayoutKind::Picture:
      return {L"STATIC", SS_BITMAP | SS_REALSIZECONTROL, 0};
    case LayoutKind::Preview:
      break;  // a PictureSurface, made by the dialog itself
  }
  return {nullptr, 0, 0};
}

}  // namespace

UniqueFont CreateDialogFont(float points, UINT dpi, bool underlined) {
  const std::wstring family = InstalledFace(L"MS Sans Serif");
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(points * static_cast<float>(dpi) / 72.0f));
  font.lfWeight = FW_NORMAL;
  font.lfUnderline = underlined ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy_s(font.lfFaceName, family.c_str(), _TRUNCATE);
  return UniqueFont(::CreateFontIndirectW(&font));
}

namespace {

int TextWidth(HFONT font, std::wstring_view text) {
  ScopedGetDc screen(nullptr);
  ScopedSelect selected(screen.get(), font);
  SIZE size{};
  ::GetTextExtentPoint32W(screen.get(), text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace

UniqueFont CreateFontThatFits(std::wstring_view text, int widthPixels, float points, UINT dpi, bool underlined) {
  constexpr float kSmallest = 6.0f, kStep = 0.25f;
  UniqueFont font = CreateDialogFont(points, dpi, underlined);
  while (font && points > kSmallest && TextWidth(font.get(), text) > widthPixels) {
    points -= kStep;
    font = CreateDialogFont(points, dpi, underlined);
  }
  return font;
}

LRESULT DialogFaceColours(HDC dc, COLORREF text) {
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  ::SetTextColor(dc, text);
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

WindowOptions FixedDialogOptions(std::wstring className, std::wstring_view caption) {
  WindowOptions options;
  options.className = std::move(className);
  options.caption = std::wstring(caption);
  options.style = kFixedDialogStyle;
  options.exStyle = kFixedDialogExStyle;
  options.background = ::GetSysColorBrush(COLOR_BTNFACE);
  options.icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_LUMIROLL));
  return options;
}

void SizeAndCentre(HWND window, int clientWidthAt96, int clientHeightAt96) {
  const UINT dpi = ::GetDpiForWindow(window);
  RECT frame{0, 0, ScaleForDpi(clientWidthAt96, dpi), ScaleForDpi(clientHeightAt96, dpi)};
  ::AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  ::SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

constexpr int kDroppedListHeight = 200;  // at 96 DPI

void PlaceControl(HWND control, RECT r, const ControlLayout& row, UINT dpi) {
  if (row.kind == LayoutKind::DriveList) r.bottom += ScaleForDpi(kDroppedListHeight, dpi);
  ::SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void PlaceForDpi(HWND dialog, std::span<const ControlLayout> table, int clientWidthAt96, int clientHeightAt96,
                 UINT dpi, const RECT& suggested) {
  RECT frame{0, 0, ScaleForDpi(clientWidthAt96, dpi), ScaleForDpi(clientHeightAt96, dpi)};
  ::AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE)), dpi);
  ::SetWindowPos(dialog, nullptr, suggested.left, suggested.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  for (const ControlLayout& row : table)
    if (HWND control = ::GetDlgItem(dialog, row.id)) PlaceControl(control, ScaledClientRectangle(table, row, dpi), row, dpi);
}

void FitDropDownHeight(HWND comboBox, std::span<const ControlLayout> table, const ControlLayout& row, UINT dpi) {
  RECT closed;
  ::GetWindowRect(comboBox, &closed);
  const int wanted = ScaleForDpi(row.height, dpi);
  const LRESULT field = ::SendMessageW(comboBox, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  if (field == CB_ERR || closed.bottom - closed.top == wanted) return;
  ::SendMessageW(comboBox, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + wanted - (closed.bottom - closed.top));
  PlaceControl(comboBox, ScaledClientRectangle(table, row, dpi), row, dpi);
}

RECT ScaledClientRectangle(std::span<const ControlLayout> table, const ControlLayout& row, UINT dpi) {
  const LayoutRectangle r = ClientRectangle(table, row);
  const int left = ScaleForDpi(r.left, dpi), top = ScaleForDpi(r.top, dpi);
  return {left, top, left + ScaleForDpi(r.width, dpi), top + ScaleForDpi(r.height, dpi)};
}

HWND CreateLayoutControl(HWND dialog, std::span<const ControlLayout> table, const ControlLayout& row, UINT dpi,
                         HFONT font) {
  const ClassAndStyle kind = ClassFor(row);
  if (!kind.className) return nullptr;
  // Every control starts a group but the second button of an option array, so that the arrow
  // keys move only within an array.
  const bool secondOption = row.kind == LayoutKind::OptionButton && row.name.ends_with(L"(2)");
  DWORD style = WS_CHILD | WS_VISIBLE | kind.style | (secondOption ? 0 : WS_GROUP);
  if (row.tabStop) style |= WS_TABSTOP;
  if (row.kind == LayoutKind::Picture) style |= WS_CLIPSIBLINGS;
  RECT r = ScaledClientRectangle(table, row, dpi);
  // A drop-down list's height includes its open list; the closed box is sized afterwards.
  if (row.kind == LayoutKind::DriveList) r.bottom += ScaleForDpi(kDroppedListHeight, dpi);
  const std::wstring caption(row.caption);
  HWND control = ::CreateWindowExW(kind.exStyle, kind.className, caption.c_str(), style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                   ::GetModuleHandleW(nullptr), nullptr);
  if (control && font) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // A frame lies under what it holds, so that it never paints over them.
  if (control && row.kind == LayoutKind::Frame)
    ::SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return control;
}

}  // namespace lumiroll
