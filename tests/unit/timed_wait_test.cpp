#include "saver/timed_wait.h"

#include <gtest/gtest.h>

namespace lumiroll {
namespace {

TEST(ElapsedMilliseconds, StaysRightAcrossTheCounterWrap) {
  const struct {
    std::uint32_t start, now;
    std::int32_t elapsed;
  } rows[] = {
      {1000, 1500, 500},
      {0xFFFFFF00u, 0x00000100u, 0x200},  // wrapped between the readings
      {0xFFFFFFFFu, 0, 1},
      {5, 5, 0},
      {1500, 1000, -500},  // a reading behind the start counts as negative
      {0, 0x7FFFFFFFu, 0x7FFFFFFF},
      {0, 0x80000000u, -0x7FFFFFFF - 1},
  };
  for (const auto& row : rows)
    EXPECT_EQ(ElapsedMilliseconds(row.start, row.now), row.elapsed) << row.start << " " << row.now;
}

TEST(TimeLeft, IsWhatRemainsAndNeverTheInfiniteTimeout) {
  const struct {
    std::int32_t requested, elapsed;
    std::uint32_t left;
  } rows[] = {
      {5000, 0, 5000}, {5000, 4999, 1}, {5000, 5000, 0},    {5000, 6000, 0},
      {0, 0, 0},       {-10, 0, 0},     {5000, -100, 5100}, {0x7FFFFFFF, -0x7FFFFFFF - 1, 0xFFFFFFFEu},
  };
  for (const auto& row : rows)
    EXPECT_EQ(TimeLeft(row.requested, row.elapsed), row.left) << row.requested << " " << row.elapsed;
}

}  // namespace
}  // namespace lumiroll
