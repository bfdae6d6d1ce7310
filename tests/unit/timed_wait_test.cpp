#include "saver/timed_wait.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

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
      {1500, 1000, -500},                 // a reading behind the start counts as negative
      {0, 0x7FFFFFFFu, 0x7FFFFFFF},
      {0, 0x80000000u, -0x7FFFFFFF - 1},
  };
  for (const auto& row : rows) EXPECT_EQ(ElapsedMilliseconds(row.start, row.now), row.elapsed) << row.start << " " << row.now;
}

TEST(TimeLeft, IsWhatRemainsAndNeverTheInfiniteTimeout) {
  const struct {
    std::int32_t requested, elapsed;
    std::uint32_t left;
  } rows[] = {
      {5000, 0, 5000},   {5000, 4999, 1},  {5000, 5000, 0},  {5000, 6000, 0},  {0, 0, 0}, {-10, 0, 0},
      {5000, -100, 5100},
      {0x7FFFFFFF, -0x7FFFFFFF - 1, 0xFFFFFFFEu},
  };
  for (const auto& row : rows) EXPECT_EQ(TimeLeft(row.requested, row.elapsed), row.left) << row.requested << " " << row.elapsed;
}

// A clock that only moves when the wait blocks, plus scripted events: each event fires when the
// clock reaches its time and is handled by the next event processing.
class FakeSystem {
 public:
  explicit FakeSystem(std::uint32_t start) : clock(start) {}

  WaitServices Services() {
    return {[this] { return clock; },
            [this](std::uint32_t timeout) {
              blocks.push_back(timeout);
              std::uint32_t step = timeout;
              for (const auto& event : events)
                if (!event.handled && event.at - clock < step) step = event.at - clock;
              clock += step;
            },
            [this] {
              ++processed;
              for (auto& event : events)
                if (!event.handled && static_cast<std::int32_t>(clock - event.at) >= 0) {
                  event.handled = true;
                  event.handler();
                }
            }};
  }

  struct Event {
    std::uint32_t at;
    std::function<void()> handler;
    bool handled = false;
  };
  std::uint32_t clock;
  int processed = 0;
  std::vector<std::uint32_t> blocks;
  std::vector<Event> events;
};

TEST(RunTimedWait, BlocksForTheWholeRequestAcrossTheCounterWrap) {
  FakeSystem system(0xFFFFFC18u);  // 1000 ms before the wrap
  std::int16_t skipWait = 0;
  RunTimedWait(3000, skipWait, system.Services());
  EXPECT_EQ(system.clock, 2000u);  // 3000 ms later, past the wrap
  EXPECT_EQ(system.blocks, (std::vector<std::uint32_t>{3000}));
  EXPECT_EQ(skipWait, 0);
}

TEST(RunTimedWait, HandlesEventsDuringTheWaitAndGoesOnWaitingForTheRest) {
  FakeSystem system(100);
  int handled = 0;
  system.events.push_back({1100, [&] { ++handled; }});
  std::int16_t skipWait = 0;
  RunTimedWait(5000, skipWait, system.Services());
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(system.clock, 5100u);
  EXPECT_EQ(system.blocks, (std::vector<std::uint32_t>{5000, 4000}));
}

TEST(RunTimedWait, SkipWaitEndsTheWaitAndIsClearedOnReturn) {
  FakeSystem system(0xFFFFFFF0u);
  std::int16_t skipWait = 0;
  system.events.push_back({0x00000010u, [&] { skipWait = 1; }});  // after the wrap
  RunTimedWait(555000, skipWait, system.Services());
  EXPECT_EQ(system.clock, 0x10u);
  EXPECT_EQ(skipWait, 0);
}

TEST(RunTimedWait, ARequestOfZeroOrLessStillHandlesPendingEventsOnce) {
  for (std::int32_t request : {0, -1, -2147483647 - 1}) {
    FakeSystem system(42);
    int handled = 0;
    system.events.push_back({42, [&] { ++handled; }});
    std::int16_t skipWait = 0;
    RunTimedWait(request, skipWait, system.Services());
    EXPECT_EQ(handled, 1) << request;
    EXPECT_EQ(system.processed, 1) << request;
    EXPECT_TRUE(system.blocks.empty()) << request;
  }
}

TEST(RunTimedWait, ASkipSetBeforeTheWaitEndsItAfterOneRoundOfEvents) {
  FakeSystem system(0);
  std::int16_t skipWait = 1;  // a key handled while the picture was painted
  RunTimedWait(5000, skipWait, system.Services());
  EXPECT_EQ(system.processed, 1);
  EXPECT_TRUE(system.blocks.empty());
  EXPECT_EQ(skipWait, 0);
}

}  // namespace
}  // namespace lumiroll
