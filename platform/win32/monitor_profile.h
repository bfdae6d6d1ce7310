#pragma once
// Which colour profile a window's pictures are converted to: the one of the monitor that shows it.
#include <windows.h>

#include "platform/display_profile.h"

namespace lumiroll {

// The colour profile of the monitor showing most of the window (the primary one when it shows on
// none); sRGB when the monitor has none or it cannot be read or used. Reads a small file from the
// system's colour folder.
[[nodiscard]] DisplayProfile ProfileOfMonitorShowing(HWND window);

}  // namespace lumiroll
