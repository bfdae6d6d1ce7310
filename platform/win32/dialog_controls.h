#pragma once
// Every dialog's controls made from its layout table, with their fonts and artwork, laid out
// again whenever the DPI changes; and the one way dialogs are sized and centred.
#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog_layout.h"
#include "platform/win32/handles.h"
#include "platform/win32/window.h"

namespace lumiroll {

struct DialogFontRequest {
  float points = kDialogPoints;
  std::wstring_view face = L"MS Sans Serif";  // or "Arial"; each has its look-alikes
  bool bold = false;
  bool underlined = false;
};

// The face at the size and DPI, or the first Windows-metric look-alike that renders at that
// size ("MS Sans Serif" is a bitmap face with a few sizes only; either may be missing).
[[nodiscard]] UniqueFont CreateDialogFont(const DialogFontRequest& request, UINT dpi);

// The dialog font at its own size for one line of text that must show whole in the width:
// the first look-alike face in which it fits; when none does, the narrowest, condensed just
// enough. Never smaller than asked.
[[nodiscard]] UniqueFont CreateFontForText(std::wstring_view text, int widthPixels, const DialogFontRequest& request,
                                           UINT dpi);

// Labels, frames and option buttons on the dialog's face colour (WM_CTLCOLORSTATIC/BTN).
LRESULT DialogFaceColours(HDC dc, COLORREF text);

// Style of a fixed dialog: caption and close box, no minimize, maximize or sizing border. Not
// WS_CLIPCHILDREN: the face must show inside the frames, which paint only their outline.
inline constexpr DWORD kFixedDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// Dialog keyboard handling (Tab, Enter, Escape) in the program's message loop.
inline constexpr DWORD kFixedDialogExStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;

// A fixed dialog window: its class, caption, face colour and the program's icon.
[[nodiscard]] WindowOptions FixedDialogOptions(std::wstring className, std::wstring_view caption, int iconId);

// Sizes the window so that its client area is the layout size at the window's DPI, and
// centres it on the work area of the monitor it is on.
void SizeAndCentre(HWND window, int clientWidthAt96, int clientHeightAt96);
// After a DPI change: the client area at the new DPI, at the place the system suggests.
void SizeForDpi(HWND window, int clientWidthAt96, int clientHeightAt96, UINT dpi, const RECT& suggested);

// The controls of one layout table in one dialog window, with the fonts and bitmaps they show.
class DialogControls {
 public:
  DialogControls(HWND dialog, std::span<const ControlLayout> table) : dialog_(dialog), table_(table) {}
  DialogControls(const DialogControls&) = delete;
  DialogControls& operator=(const DialogControls&) = delete;
  ~DialogControls() = default;

  // Makes every control of the table (not Preview rows: the dialog makes those) at the DPI.
  void Create(UINT dpi);
  // Places and sizes every control for the DPI, with fonts and artwork made for it.
  void LayOut(UINT dpi);
  [[nodiscard]] HWND Control(int id) const { return ::GetDlgItem(dialog_, id); }
  // The row's rectangle in the dialog's client area at the DPI.
  [[nodiscard]] RECT ClientRect(const ControlLayout& row, UINT dpi) const;

 private:
  void ApplyFontsAndArtwork(UINT dpi);
  [[nodiscard]] HFONT FontFor(const ControlLayout& row, UINT dpi, std::vector<UniqueFont>& fonts) const;
  void FitDropDownHeight(HWND comboBox, const ControlLayout& row, UINT dpi) const;

  HWND dialog_;  // not owned: the window these controls belong to
  std::span<const ControlLayout> table_;
  std::vector<UniqueFont> fonts_;      // kept until no control uses them
  std::vector<UniqueBitmap> artwork_;  // shown by the picture controls
};

}  // namespace lumiroll
