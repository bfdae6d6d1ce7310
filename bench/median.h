#pragma once
// The median of a benchmark's repeated timings: steadier than the mean against a run the machine
// disturbed.
#include <algorithm>
#include <vector>

namespace lumiroll::bench {

// The middle value (the upper of the two middle ones for an even count); 0 for no values.
[[nodiscard]] inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace lumiroll::bench
