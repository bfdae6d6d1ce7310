// The millisecond count the show decides due times by, read from a precise counter.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/millisecond_clock.h"

namespace lumiroll {
namespace {

TEST(CounterMilliseconds, WholeMillisecondsRoundedDownAndWrappingLikeTheShowsCount) {
  constexpr std::uint64_t tenMegahertz = 10'000'000, acpi = 3'579'545;
  const struct {
    std::uint64_t ticks, frequency;
    std::uint32_t expected;
  } rows[] = {
      {0, tenMegahertz, 0},
      {9'999, tenMegahertz, 0},  // never ahead of the counter
      {10'000, tenMegahertz, 1},
      {acpi, acpi, 1000},
      {acpi + 3'579, acpi, 1000},  // 0.99986 ms
      {acpi + 3'580, acpi, 1001},
      {(std::uint64_t{1} << 32) * 10'000 + 50'000, tenMegahertz, 5},  // 49.7 days on: the count wraps
      {0xFFFF'FFFF'FFFF'FFFFull, tenMegahertz,
       static_cast<std::uint32_t>(0xFFFF'FFFF'FFFF'FFFFull / tenMegahertz * 1000 + 955)},  // no overflow
      {123, 1, static_cast<std::uint32_t>(123'000)},
  };
  for (const auto& row : rows)
    EXPECT_EQ(CounterMilliseconds(row.ticks, row.frequency), row.expected) << row.ticks << " at " << row.frequency;
}

}  // namespace
}  // namespace lumiroll
