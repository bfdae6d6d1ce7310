#include "saver/win32/display_power.h"

#include <cstring>

namespace lumiroll {
namespace {

// A failed registration leaves nothing to undo.
HPOWERNOTIFY Register(HWND window, const GUID& setting) {
  return ::RegisterPowerSettingNotification(window, &setting, DEVICE_NOTIFY_WINDOW_HANDLE);
}

}  // namespace

DisplayPowerNotifications::DisplayPowerNotifications(HWND window)
    : session_(Register(window, GUID_SESSION_DISPLAY_STATUS)) {}

PowerEvent ReadPowerBroadcast(WPARAM wParam, LPARAM lParam) {
  if (wParam == PBT_APMRESUMEAUTOMATIC) return PowerEvent::Resumed;
  if (wParam != PBT_POWERSETTINGCHANGE || lParam == 0) return PowerEvent::Other;
  const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
  if (setting->PowerSetting != GUID_SESSION_DISPLAY_STATUS || setting->DataLength < sizeof(DWORD))
    return PowerEvent::Other;
  DWORD state = 0;  // 0 off, 1 on, 2 dimmed
  std::memcpy(&state, setting->Data, sizeof state);
  return state == 0 ? PowerEvent::DisplayOff : PowerEvent::DisplayOn;
}

}  // namespace lumiroll
