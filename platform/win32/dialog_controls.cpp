#include "platform/win32/dialog_controls.h"

#include <utility>

#include "platform/win32/dialog_artwork.h"

namespace lumiroll {
namespace {

constexpr int kDroppedListHeight = 200;  // at 96 DPI: the drive list's open list

struct ClassAndStyle {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle ClassFor(const ControlLayout& row) {
  constexpr DWORD list = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  switch (row.kind) {
    case LayoutKind::Frame: return {L"BUTTON", BS_GROUPBOX, 0};
    case LayoutKind::FolderList: return {L"LISTBOX", list | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, WS_EX_CLIENTEDGE};
    case LayoutKind::FileList: return {L"LISTBOX", list, WS_EX_CLIENTEDGE};
    case LayoutKind::DriveList: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0};
    case LayoutKind::OptionButton: return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
    case LayoutKind::Label: return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case LayoutKind::RightLabel: return {L"STATIC", SS_RIGHT | SS_NOPREFIX, 0};
    case LayoutKind::LinkLabel: return {L"STATIC", SS_RIGHT | SS_NOPREFIX | SS_NOTIFY, 0};
    case LayoutKind::TextBox: return {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case LayoutKind::Button: return {L"BUTTON", BS_PUSHBUTTON, 0};
    case LayoutKind::DefaultButton: return {L"BUTTON", BS_DEFPUSHBUTTON, 0};
    case LayoutKind::Picture: return {L"STATIC", SS_BITMAP | SS_REALSIZECONTROL, 0};
    case LayoutKind::Preview: break;  // a picture surface, made by the dialog itself
  }
  return {nullptr, 0, 0};
}

// One line that must show whole: the About box's right-aligned labels and addresses.
bool IsOneLine(LayoutKind kind) { return kind == LayoutKind::RightLabel || kind == LayoutKind::LinkLabel; }

RECT WindowRectFor(const ControlLayout& row, RECT r, UINT dpi) {
  // A drop-down list's height includes its open list; the closed box is sized afterwards.
  if (row.kind == LayoutKind::DriveList) r.bottom += ScaleForDpi(kDroppedListHeight, dpi);
  return r;
}

RECT FrameFor(HWND window, int clientWidthAt96, int clientHeightAt96, UINT dpi) {
  RECT frame{0, 0, ScaleForDpi(clientWidthAt96, dpi), ScaleForDpi(clientHeightAt96, dpi)};
  ::AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
  return frame;
}

// Shows the bitmap in a picture control. The control hands back the image it showed before:
// one of ours (freed by the caller once replaced) or a copy it made, which is ours to free now.
void ShowBitmap(HWND picture, HBITMAP bitmap, const std::vector<UniqueBitmap>& ours) {
  auto* previous =
      reinterpret_cast<HBITMAP>(::SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  if (!previous) return;
  for (const UniqueBitmap& held : ours)
    if (held.get() == previous) return;
  UniqueBitmap(previous).reset();
}

}  // namespace

LRESULT DialogFaceColours(HDC dc, COLORREF text) {
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  ::SetTextColor(dc, text);
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

WindowOptions FixedDialogOptions(std::wstring className, std::wstring_view caption, int iconId) {
  WindowOptions options;
  options.className = std::move(className);
  options.caption = std::wstring(caption);
  options.style = kFixedDialogStyle;
  options.exStyle = kFixedDialogExStyle;
  options.background = ::GetSysColorBrush(COLOR_BTNFACE);
  options.icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId));
  return options;
}

void SizeAndCentre(HWND window, int clientWidthAt96, int clientHeightAt96) {
  const RECT frame = FrameFor(window, clientWidthAt96, clientHeightAt96, ::GetDpiForWindow(window));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const LayoutRectangle placed = CentredIn({work.left, work.top, work.right - work.left, work.bottom - work.top},
                                           frame.right - frame.left, frame.bottom - frame.top);
  ::SetWindowPos(window, nullptr, placed.left, placed.top, placed.width, placed.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SizeForDpi(HWND window, int clientWidthAt96, int clientHeightAt96, UINT dpi, const RECT& suggested) {
  const RECT frame = FrameFor(window, clientWidthAt96, clientHeightAt96, dpi);
  ::SetWindowPos(window, nullptr, suggested.left, suggested.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT DialogControls::ClientRect(const ControlLayout& row, UINT dpi) const {
  const LayoutRectangle r = ScaledClientRectangle(table_, row, dpi);
  return {r.left, r.top, r.left + r.width, r.top + r.height};
}

void DialogControls::Create(UINT dpi) {
  for (const ControlLayout& row : table_) {
    const ClassAndStyle kind = ClassFor(row);
    if (!kind.className) continue;
    // Every control starts a group but the second button of an option array, so that the
    // arrow keys move only within an array.
    const bool secondOption = row.kind == LayoutKind::OptionButton && row.name.ends_with(L"(2)");
    DWORD style = WS_CHILD | WS_VISIBLE | kind.style | (secondOption ? 0 : WS_GROUP);
    if (row.tabStop) style |= WS_TABSTOP;
    if (row.kind == LayoutKind::Picture) style |= WS_CLIPSIBLINGS;
    const RECT r = WindowRectFor(row, ClientRect(row, dpi), dpi);
    const std::wstring caption(row.caption);
    HWND control = ::CreateWindowExW(
        kind.exStyle, kind.className, caption.c_str(), style, r.left, r.top, r.right - r.left, r.bottom - r.top,
        dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), ::GetModuleHandleW(nullptr), nullptr);
    // A frame lies under what it holds, so that it never paints over them.
    if (control && row.kind == LayoutKind::Frame)
      ::SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  ApplyFontsAndArtwork(dpi);
}

void DialogControls::LayOut(UINT dpi) {
  for (const ControlLayout& row : table_) {
    HWND control = Control(row.id);
    if (!control || row.kind == LayoutKind::Preview) continue;
    const RECT r = WindowRectFor(row, ClientRect(row, dpi), dpi);
    ::SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ApplyFontsAndArtwork(dpi);
  ::InvalidateRect(dialog_, nullptr, TRUE);
}

HFONT DialogControls::FontFor(const ControlLayout& row, UINT dpi, std::vector<UniqueFont>& fonts) const {
  const DialogFontRequest request{
      .points = row.points, .bold = row.bold, .underlined = row.kind == LayoutKind::LinkLabel};
  if (IsOneLine(row.kind)) {
    const RECT r = ClientRect(row, dpi);
    // A pixel of air: the text never touches the edge where it would be cut.
    fonts.push_back(CreateFontForText(row.caption, r.right - r.left - 1, request, dpi));
    return fonts.back().get();
  }
  // Controls of one size and weight share a font: the settings dialog has many.
  for (const ControlLayout& other : table_) {
    if (&other == &row) break;
    const bool sameFont = other.points == row.points && other.bold == row.bold && !IsOneLine(other.kind);
    if (!sameFont || other.kind == LayoutKind::Picture || !ClassFor(other).className) continue;
    if (auto* font = reinterpret_cast<HFONT>(::SendMessageW(Control(other.id), WM_GETFONT, 0, 0))) return font;
  }
  fonts.push_back(CreateDialogFont(request, dpi));
  return fonts.back().get();
}

void DialogControls::ApplyFontsAndArtwork(UINT dpi) {
  // The new fonts and bitmaps replace the old ones only once every control uses them.
  std::vector<UniqueFont> fonts;
  std::vector<UniqueBitmap> artwork;
  for (const ControlLayout& row : table_) {
    HWND control = Control(row.id);
    if (!control || row.kind == LayoutKind::Preview) continue;
    if (row.kind == LayoutKind::Picture) {
      const RECT r = ClientRect(row, dpi);
      artwork.push_back(LoadArtwork(row.artwork, dpi, {r.right - r.left, r.bottom - r.top}));
      ShowBitmap(control, artwork.back().get(), artwork_);
      continue;
    }
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(row, dpi, fonts)), TRUE);
    if (row.kind == LayoutKind::DriveList) FitDropDownHeight(control, row, dpi);
  }
  fonts_ = std::move(fonts);
  artwork_ = std::move(artwork);
}

namespace {

int ClosedHeight(HWND comboBox) {
  RECT closed;
  ::GetWindowRect(comboBox, &closed);
  return closed.bottom - closed.top;
}

}  // namespace

void DialogControls::FitDropDownHeight(HWND comboBox, const ControlLayout& row, UINT dpi) const {
  const RECT wantedRect = ClientRect(row, dpi);
  const int wanted = wantedRect.bottom - wantedRect.top;
  const LRESULT field = ::SendMessageW(comboBox, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  if (field == CB_ERR) return;
  // Corrected by what each setting did: Wine's field is 2 pixels taller than the height set,
  // and reports the taller height back.
  LRESULT asked = field;
  for (int attempt = 0; attempt < 3 && ClosedHeight(comboBox) != wanted; ++attempt) {
    asked += wanted - ClosedHeight(comboBox);
    ::SendMessageW(comboBox, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), asked);
    const RECT r = WindowRectFor(row, wantedRect, dpi);
    ::SetWindowPos(comboBox, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace lumiroll
