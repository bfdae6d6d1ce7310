#pragma once
// Which colour profile pictures are converted to: the one of the monitor that shows them.
#include <windows.h>

namespace lumiroll {

// Takes the colour profile of the monitor showing most of the window (the primary one when it
// shows on none) for pictures loaded from now on; sRGB when the monitor has none or it cannot
// be read or used. Returns whether the monitor's own profile was taken.
bool UseColourProfileOfMonitorShowing(HWND window);

}  // namespace lumiroll
