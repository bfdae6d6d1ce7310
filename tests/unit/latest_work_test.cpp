// Work on threads nobody joins: the newest request's result only, a bounded number of threads.
#include "saver/latest_work.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lumiroll {
namespace {

// Threads that run when the test says, as a listing on a share answers when it answers.
struct HeldThreads {
  StartDetachedThread Starter() {
    return [this](std::function<void()> work) {
      threads.push_back(std::move(work));
      return true;
    };
  }
  void Answer(std::size_t thread) { std::exchange(threads.at(thread), nullptr)(); }
  std::vector<std::function<void()>> threads;
};

struct Rig {
  explicit Rig(int maxThreads) : work([this] { ++told; }, maxThreads, held.Starter()) {}
  void Ask(const std::string& name) {
    work.Request([this, name] {
      ran.push_back(name);
      return name;
    });
  }
  HeldThreads held;
  int told = 0;
  std::vector<std::string> ran;
  LatestWork<std::string> work;
};

TEST(LatestWork, AnOlderListingThatAnswersLateIsDropped) {
  Rig rig(4);
  rig.Ask("old");
  rig.Ask("new");
  ASSERT_EQ(rig.held.threads.size(), 2u) << "both under way, each on its own thread";
  EXPECT_TRUE(rig.work.UnderWay());
  rig.held.Answer(1);
  EXPECT_EQ(rig.told, 1);
  rig.held.Answer(0);
  EXPECT_EQ(rig.told, 1) << "the stale result is not told";
  EXPECT_EQ(rig.work.TakeFinished(), "new");
  EXPECT_FALSE(rig.work.TakeFinished()) << "handed over once";
  EXPECT_FALSE(rig.work.UnderWay());
}

TEST(LatestWork, PastTheBoundTheNewestWaitsForAThreadThatReturnsAndOlderWaitingOnesAreForgotten) {
  Rig rig(1);
  rig.Ask("stuck");
  rig.Ask("skipped");
  rig.Ask("wanted");
  ASSERT_EQ(rig.held.threads.size(), 1u) << "one thread left behind at most";
  EXPECT_FALSE(rig.work.TakeFinished());
  rig.held.Answer(0);  // the stuck one returns at last; its thread goes on with the newest
  EXPECT_EQ(rig.ran, (std::vector<std::string>{"stuck", "wanted"}));
  EXPECT_EQ(rig.work.TakeFinished(), "wanted");
}

TEST(LatestWork, WorkThatThrowsGivesADefaultResultAndNothingIsToldOnceTheRequesterHasGone) {
  HeldThreads held;
  int told = 0;
  {
    LatestWork<int> gone([&told] { ++told; }, 4, held.Starter());
    gone.Request([]() -> int { throw std::runtime_error("listing failed"); });
    held.Answer(0);
    EXPECT_EQ(gone.TakeFinished(), 0);
    gone.Request([] { return 1; });
  }
  held.Answer(1);  // the requester went first, never waiting for its thread
  EXPECT_EQ(told, 1);
}

}  // namespace
}  // namespace lumiroll
