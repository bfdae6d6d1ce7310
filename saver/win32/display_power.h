#pragma once
// What the system tells the show's window about power: the display going off and on, and the
// machine waking from sleep.
#include <windows.h>

#include "platform/win32/handles.h"

namespace lumiroll {

// The window's registration for the state of its session's display, for as long as this lives.
// Only the session's: in a Remote Desktop session the console's display says nothing of the one
// the user looks at.
class DisplayPowerNotifications {
 public:
  explicit DisplayPowerNotifications(HWND window);

 private:
  UniquePowerNotify session_;
};

enum class PowerEvent { Other, DisplayOff, DisplayOn, Resumed };

// Reads one WM_POWERBROADCAST. A dimmed display counts as on.
[[nodiscard]] PowerEvent ReadPowerBroadcast(WPARAM wParam, LPARAM lParam);

}  // namespace lumiroll
