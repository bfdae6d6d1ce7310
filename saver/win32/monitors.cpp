#include "saver/win32/monitors.h"

#include <windows.h>

#include "platform/callback_barrier.h"

namespace lumiroll {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) noexcept {
  return CallBehindBarrier([&] {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoW(monitor, &info)) {
      const RECT& r = info.rcMonitor;
      reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
          {{r.left, r.top, r.right, r.bottom}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
  });
}

}  // namespace

std::vector<Monitor> DisplayMonitors() {
  std::vector<Monitor> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

ScreenRect PrimaryScreen() { return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

}  // namespace lumiroll
