#include "saver/win32/display_window.h"

#include <windowsx.h>

#include "platform/win32/monitor_profile.h"
#include "saver/win32/monitors.h"

namespace lumiroll {
namespace {

constexpr wchar_t kApplicationTitle[] = L"SCRNSAVE: Lumiroll Screen Saver";
constexpr UINT kStartShow = WM_APP + 1;

RECT ToRect(const ScreenRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

bool DisplayWindow::CreateHidden() {
  layout_ = LayoutShow(DisplayMonitors(), PrimaryScreen());
  const ScreenRect& area = layout_.window;
  WindowOptions options;
  options.className = L"LumirollShow";
  options.caption = kApplicationTitle;
  options.style = WS_POPUP | WS_CLIPCHILDREN;
  options.exStyle = WS_EX_TOPMOST;
  options.x = area.left;
  options.y = area.top;
  options.width = area.width();
  options.height = area.height();
  options.background = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  if (!Create(options) || !Picture2.CreateSurface(hwnd(), ToRect(layout_.picture2), RGB(0, 0, 0))) return false;
  power_.emplace(hwnd());
  (void)HearKeysInTheBackground(hwnd());  // without it the show still hears what comes to it
  return true;
}

void DisplayWindow::ShowForm() {
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetForegroundWindow(hwnd());
  ::SetFocus(Picture2.hwnd());
}

void DisplayWindow::PostStart() { ::PostMessageW(hwnd(), kStartShow, 0, 0); }

void DisplayWindow::CoverDesktop() {
  layout_ = LayoutShow(DisplayMonitors(), PrimaryScreen());
  const ScreenRect& area = layout_.window;
  ::SetWindowPos(hwnd(), HWND_TOPMOST, area.left, area.top, area.width(), area.height(), SWP_NOACTIVATE);
  PlacePicture2();
}

void DisplayWindow::PlacePicture2() {
  Picture2.Move(ToRect(layout_.picture2));
  pictureProfile_ = ProfileOfMonitorShowing(Picture2.hwnd());
}

void DisplayWindow::TakeFocusBack() {
  ::SetForegroundWindow(hwnd());
  ::SetFocus(Picture2.hwnd());
}

void DisplayWindow::HidePointer(bool hide) {
  if (hide == pointerHidden_) return;
  pointerHidden_ = hide;
  ::ShowCursor(hide ? FALSE : TRUE);
  ::SetCursor(hide ? nullptr : ::LoadCursorW(nullptr, IDC_ARROW));  // not owned: a shared system cursor
}

LRESULT DisplayWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETCURSOR:
      if (!pointerHidden_) break;
      ::SetCursor(nullptr);
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) events_.Activated();
      break;
    case WM_SETFOCUS:
      if (Picture2.hwnd()) ::SetFocus(Picture2.hwnd());
      return 0;
    case kStartShow:
      PlacePicture2();
      ::SetFocus(Picture2.hwnd());
      events_.Form_Activate();
      return 0;
    case WM_CLOSE: events_.CloseRequested(); return 0;
    case WM_ACTIVATEAPP:
      if (!wParam) events_.LostActivation();
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;  // already showing
      break;
    case WM_DISPLAYCHANGE: events_.DisplayChanged(); break;
    case WM_POWERBROADCAST: events_.PowerChanged(ReadPowerBroadcast(wParam, lParam)); return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: events_.Form_KeyDown(); return 0;
    case WM_INPUT:  // a key that went to the program holding the foreground is the show's too
      if (const std::optional<WORD> key = BackgroundKeyDown(wParam, lParam)) events_.picture2_KeyDown(*key);
      break;  // DefWindowProc cleans up
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN: events_.Form_Click(); return message == WM_XBUTTONDOWN ? TRUE : 0;
    case WM_MOUSEMOVE:
      // Over another monitor: the same rule, in Picture2's coordinates, so moving the pointer
      // there ends the show too.
      events_.picture2_MouseMove(GET_X_LPARAM(lParam) - layout_.picture2.left,
                                 GET_Y_LPARAM(lParam) - layout_.picture2.top);
      return 0;
    default: break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace lumiroll
