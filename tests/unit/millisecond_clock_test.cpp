// The millisecond count read from a precise counter, and the show's due decisions on it.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/millisecond_clock.h"
#include "saver/show_engine.h"

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

// A block of BlockFor's milliseconds from any moment within a millisecond ends on a reading that
// is due: the loop never waits again for a count that lags the deadline.
TEST(CounterMilliseconds, AWaitThatLastsItsBlockIsDueWhenItEnds) {
  constexpr std::uint64_t frequency = 10'000'000;
  for (const std::uint64_t start : {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{9'999},
                                    (std::uint64_t{1} << 32) * 10'000 - 3}) {  // the last tick before the wrap
    ShowState state;
    state.PhotoDisplayTime = 5.0;
    ShowEngine engine(state, 3, 1);
    engine.Begin(CounterMilliseconds(start, frequency));
    (void)engine.Next();
    engine.StartWait(CounterMilliseconds(start, frequency));
    std::uint64_t now = start;
    const std::uint32_t block = engine.BlockFor(CounterMilliseconds(now, frequency));
    ASSERT_EQ(block, 5000u);
    now += std::uint64_t{block} * frequency / 1000;  // a precise timer wakes no earlier
    EXPECT_TRUE(engine.WaitOver(CounterMilliseconds(now, frequency))) << start;
  }
}

}  // namespace
}  // namespace lumiroll
