#include "saver/win32/show_surface.h"

#include <windowsx.h>

namespace lumiroll {

LRESULT ShowSurface::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:  // Alt and F10 are keys like any other here, not the menu
      input_.picture2_KeyDown(static_cast<WORD>(wParam));
      return 0;
    case WM_SYSCHAR:
    case WM_CHAR: return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN: input_.picture2_Click(); return message == WM_XBUTTONDOWN ? TRUE : 0;
    case WM_MOUSEMOVE: input_.picture2_MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    default: return PictureSurface::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace lumiroll
