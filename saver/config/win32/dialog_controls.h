#pragma once
// Real Win32 controls made from a layout table, and the fixed dialog window they sit in.
#include <windows.h>

#include <span>
#include <string>

#include "platform/handles.h"
#include "platform/window.h"
#include "saver/config/dialog_layout.h"

namespace lumiroll {

// The dialogs' font, "MS Sans Serif" or its installed look-alike, at the size and DPI.
[[nodiscard]] UniqueFont CreateDialogFont(float points, UINT dpi, bool underlined = false);

// The dialog font at the size, or smaller when that is what it takes for the text to fit in
// the width: an address must show whole, whichever look-alike face stands in.
[[nodiscard]] UniqueFont CreateFontThatFits(std::wstring_view text, int widthPixels, float points, UINT dpi,
                                            bool underlined);

// Labels, frames and option buttons on the dialog's face colour (WM_CTLCOLORSTATIC/BTN).
LRESULT DialogFaceColours(HDC dc, COLORREF text);

// Style of a fixed dialog: caption and close box, no minimize, maximize or sizing border. Not
// WS_CLIPCHILDREN: the face must show inside the frames, which paint only their outline.
inline constexpr DWORD kFixedDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// Dialog keyboard handling (Tab, Enter, Escape) in the program's message loop.
inline constexpr DWORD kFixedDialogExStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;

// A fixed dialog window of the program: its class, caption, face colour and the program's icon.
[[nodiscard]] WindowOptions FixedDialogOptions(std::wstring className, std::wstring_view caption);

// Sizes the window so that its client area is the layout size at the window's DPI, and
// centres it on the screen it is on.
void SizeAndCentre(HWND window, int clientWidthAt96, int clientHeightAt96);

// Creates the control of one layout row as a child of the dialog; null when it cannot be made.
HWND CreateLayoutControl(HWND dialog, std::span<const ControlLayout> table, const ControlLayout& row, UINT dpi,
                         HFONT font);

// After a DPI change: the window's client area and every control of the table (found by id)
// moved and sized for the new DPI, at the place the system suggests.
void PlaceForDpi(HWND dialog, std::span<const ControlLayout> table, int clientWidthAt96, int clientHeightAt96,
                 UINT dpi, const RECT& suggested);

// Gives a closed drop-down list the height of its layout row, whatever its font.
void FitDropDownHeight(HWND comboBox, std::span<const ControlLayout> table, const ControlLayout& row, UINT dpi);

// A layout rectangle in pixels of the dialog's client area at the DPI.
[[nodiscard]] RECT ScaledClientRectangle(std::span<const ControlLayout> table, const ControlLayout& row, UINT dpi);

}  // namespace lumiroll
