// Threads nobody joins, started and ended in quick succession, as the loaders start them: each
// must run to its end, however its end falls against its creator's.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "saver/detached_thread.h"

namespace lumiroll {
namespace {

thread_local int tlsTouches = 0;  // per-thread storage, as libjpeg's SIMD detection keeps

TEST(DetachedThread, ThreadsThatEndAtOnceAllFinish) {
  constexpr int kThreads = 2000;
  const auto finished = std::make_shared<std::atomic<int>>(0);  // outlives a thread that never ends
  for (int i = 0; i < kThreads; ++i) {
    ASSERT_TRUE(StartStandardDetachedThread([finished] {
      for (int t = 0; t < 100; ++t) ++tlsTouches;
      finished->fetch_add(1);
    }));
  }
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);  // liveness only
  while (finished->load() < kThreads && std::chrono::steady_clock::now() < end) std::this_thread::yield();
  EXPECT_EQ(finished->load(), kThreads);
}

}  // namespace
}  // namespace lumiroll
