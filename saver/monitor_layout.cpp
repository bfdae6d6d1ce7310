#include "saver/monitor_layout.h"

#include <algorithm>

namespace lumiroll {

ScreenRect VirtualScreen(std::span<const Monitor> monitors) {
  if (monitors.empty()) return {};
  ScreenRect all = monitors.front().area;
  for (const Monitor& monitor : monitors.subspan(1)) {
    all.left = std::min(all.left, monitor.area.left);
    all.top = std::min(all.top, monitor.area.top);
    all.right = std::max(all.right, monitor.area.right);
    all.bottom = std::max(all.bottom, monitor.area.bottom);
  }
  return all;
}

ShowLayout LayoutShow(std::span<const Monitor> monitors, ScreenRect fallback) {
  if (monitors.empty()) return {fallback, {0, 0, fallback.width(), fallback.height()}};
  const auto primary = std::find_if(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; });
  const ScreenRect main = (primary != monitors.end() ? *primary : monitors.front()).area;
  const ScreenRect window = VirtualScreen(monitors);
  return {window, {main.left - window.left, main.top - window.top, main.right - window.left, main.bottom - window.top}};
}

}  // namespace lumiroll
