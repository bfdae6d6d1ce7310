#include "saver/win32/display_power.h"

#include <cstring>

namespace lumiroll {
namespace {

// Each is registered where the system knows it; a failed registration leaves nothing to undo.
HPOWERNOTIFY Register(HWND window, const GUID& setting) {
  return ::RegisterPowerSettingNotification(window, &setting, DEVICE_NOTIFY_WINDOW_HANDLE);
}

bool IsDisplaySetting(const GUID& setting) {
  return setting == GUID_CONSOLE_DISPLAY_STATE || setting == GUID_SESSION_DISPLAY_STATUS;
}

}  // namespace

DisplayPowerNotifications::DisplayPowerNotifications(HWND window)
    : console_(Register(window, GUID_CONSOLE_DISPLAY_STATE)), session_(Register(window, GUID_SESSION_DISPLAY_STATUS)) {}

PowerEvent ReadPowerBroadcast(WPARAM wParam, LPARAM lParam) {
  if (wParam == PBT_APMRESUMEAUTOMATIC) return PowerEvent::Resumed;
  if (wParam != PBT_POWERSETTINGCHANGE || lParam == 0) return PowerEvent::Other;
  const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
  if (!IsDisplaySetting(setting->PowerSetting) || setting->DataLength < sizeof(DWORD)) return PowerEvent::Other;
  DWORD state = 0;  // 0 off, 1 on, 2 dimmed
  std::memcpy(&state, setting->Data, sizeof state);
  return state == 0 ? PowerEvent::DisplayOff : PowerEvent::DisplayOn;
}

}  // namespace lumiroll
