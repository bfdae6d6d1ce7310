#pragma once
#include <vector>

#include "saver/monitor_layout.h"

namespace lumiroll {

// The desktop's monitors in desktop coordinates, the primary one marked.
[[nodiscard]] std::vector<Monitor> DisplayMonitors();
// The primary screen at (0, 0), for when no monitor can be listed.
[[nodiscard]] ScreenRect PrimaryScreen();

}  // namespace lumiroll
