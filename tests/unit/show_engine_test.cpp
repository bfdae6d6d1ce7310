#include "saver/show_engine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "saver/show_loop.h"

namespace lumiroll {
namespace {

constexpr double kStoredTime = 5.0;
constexpr int kThankYou = -1;  // on the screen: the thank-you picture

// The show's real engine and loop on a clock that moves only while the loop blocks or a picture
// loads. Keys arrive at given times and are handled by the next event processing, as a window's
// queue would hold them. Each cycle is recorded as the window would carry it out.
class FakeShow {
 public:
  FakeShow(std::int16_t imageCount, double displayTime, std::uint32_t start = 0)
      : clock(start), engine_(state, imageCount, kFitScreen) {
    state.PhotoDisplayTime = displayTime;
  }

  void KeyAt(std::uint32_t offset, std::uint16_t key) { keys_.push_back({clock + offset, key}); }

  // Runs the show from its first picture until offset ms after the start.
  void RunFor(std::uint32_t offset, std::uint32_t loadMilliseconds = 0) {
    const std::uint32_t start = clock;
    load_ = loadMilliseconds;
    RunCycle(engine_.Begin());
    RunShowLoop(engine_, {[this] { return clock; },
                          [this](std::uint32_t timeout) { Block(timeout); },
                          [this, start, offset] {
                            return HandleEvents() && clock - start <= offset && cycles.size() < 10000;
                          },
                          [this] { RunCycle(engine_.Next()); }});
  }

  struct Cycle {
    std::uint32_t at;  // when the picture was painted, from the start
    std::int16_t image;
    bool painted;
    friend bool operator==(const Cycle&, const Cycle&) = default;
  };
  [[nodiscard]] std::vector<int> PaintedImages() const {
    std::vector<int> images;
    for (const Cycle& c : cycles)
      if (c.painted) images.push_back(c.image);
    return images;
  }

  ShowState state;
  std::uint32_t clock;
  std::vector<Cycle> cycles;
  std::vector<int> screen;  // what the screen showed, one entry per paint
  std::vector<std::uint32_t> blocks;
  std::vector<ShowCycle> predicted;  // Ahead, asked after each cycle
  int closeRequests = 0;

 private:
  struct Key {
    std::uint32_t at;
    std::uint16_t code;
    bool handled = false;
  };

  void RunCycle(const ShowCycle& cycle) {
    clock += load_;
    if (cycle.paint) screen.push_back(cycle.image);
    cycles.push_back({clock - first_, cycle.image, cycle.paint});
    engine_.StartWait(clock);
    predicted.push_back(engine_.Ahead());
  }

  void Block(std::uint32_t timeout) {
    blocks.push_back(timeout);
    std::uint32_t step = timeout;
    for (const Key& key : keys_)
      if (!key.handled && key.at - clock < step) step = key.at - clock;
    clock += step;
  }

  bool HandleEvents() {
    for (Key& key : keys_) {
      if (key.handled || static_cast<std::int32_t>(clock - key.at) < 0) continue;
      key.handled = true;
      const KeyAction action = picture2_KeyDown(state, key.code, [] { return kStoredTime; });
      if (action == KeyAction::ShowThankYou) screen.push_back(kThankYou);
      if (action == KeyAction::CloseRequest) ++closeRequests;
    }
    return true;
  }

  std::uint32_t first_ = clock;
  ShowEngine engine_;
  std::uint32_t load_ = 0;
  std::vector<Key> keys_;
};

TEST(ShowLoop, ShowsThePicturesInTurnOnTimeAndStartsAgainAfterTheLast) {
  FakeShow show(3, kStoredTime);
  show.RunFor(30000);
  EXPECT_EQ(show.PaintedImages(), (std::vector<int>{1, 2, 3, 1, 2, 3, 1}));
  std::vector<std::uint32_t> times;
  for (const auto& c : show.cycles) times.push_back(c.at);
  EXPECT_EQ(times, (std::vector<std::uint32_t>{0, 5000, 10000, 15000, 20000, 25000, 30000}));
  // Blocked in the operating system for each whole period, never polling.
  EXPECT_EQ(show.blocks, std::vector<std::uint32_t>(7, 5000));
}

TEST(ShowLoop, EachWaitStartsAfterItsPictureIsLoadedAndPainted) {
  FakeShow show(2, kStoredTime);
  show.RunFor(10500, 200);
  std::vector<std::uint32_t> times;
  for (const auto& c : show.cycles) times.push_back(c.at);
  EXPECT_EQ(times, (std::vector<std::uint32_t>{200, 5400, 10600}));
}

TEST(ShowLoop, PauseKeepsThePictureAndResumeGoesOnWithTheNext) {
  FakeShow paused(3, kStoredTime);
  paused.KeyAt(6000, kKeyP);  // during picture 2
  paused.RunFor(6000 + 2 * 555000);
  EXPECT_EQ(paused.screen, (std::vector<int>{1, 2}));
  // Picture 2 is loaded again unpainted at once, then CurrentImage moves on unseen each 555 s.
  EXPECT_EQ(paused.cycles, (std::vector<FakeShow::Cycle>{{0, 1, true}, {5000, 2, true}, {6000, 2, false},
                                                          {561000, 3, false}, {1116000, 1, false}}));

  FakeShow resumed(3, kStoredTime);
  resumed.KeyAt(6000, kKeyP);
  resumed.KeyAt(9000, kKeyP);  // within the paused period
  resumed.RunFor(14000);
  EXPECT_EQ(resumed.screen, (std::vector<int>{1, 2, 3, 1}));
  EXPECT_EQ(resumed.cycles.back(), (FakeShow::Cycle{14000, 1, true})) << "the stored time again";
}

TEST(ShowLoop, UpWhilePausedShowsTheNextForAPausePeriodUntilPResumes) {
  FakeShow show(3, kStoredTime);
  show.KeyAt(1000, kKeyP);
  show.KeyAt(2000, kKeyUp);
  show.KeyAt(3000, kKeyP);
  show.RunFor(8000);
  EXPECT_EQ(show.cycles, (std::vector<FakeShow::Cycle>{
                             {0, 1, true}, {1000, 1, false}, {2000, 2, true}, {3000, 3, true}, {8000, 1, true}}));
}

TEST(ShowLoop, UpAndDownStepAtOnceWithTheWrapToTheFirst) {
  const struct {
    const char* name;
    std::uint32_t keyAt;
    std::uint16_t key;
    int expectedNext;
  } rows[] = {
      {"Down on the first shows the first again", 1000, kKeyDown, 1},
      {"Down on the second shows the first", 6000, kKeyDown, 1},
      {"Down on the third shows the second", 11000, kKeyDown, 2},
      {"Up on the last shows the first", 11000, kKeyUp, 1},
      {"Up on the first shows the second", 1000, kKeyUp, 2},
  };
  for (const auto& row : rows) {
    FakeShow show(3, kStoredTime);
    show.KeyAt(row.keyAt, row.key);
    show.RunFor(row.keyAt);
    ASSERT_FALSE(show.cycles.empty());
    EXPECT_EQ(show.cycles.back(), (FakeShow::Cycle{row.keyAt, static_cast<std::int16_t>(row.expectedNext), true}))
        << row.name;
    EXPECT_EQ(show.state.SkipWait, 0) << row.name;
  }
}

TEST(ShowLoop, EShowsTheThankYouPictureUntilThePeriodEnds) {
  FakeShow show(3, kStoredTime);
  show.KeyAt(1000, kKeyE);
  show.RunFor(5000);
  EXPECT_EQ(show.screen, (std::vector<int>{1, kThankYou, 2}));
  EXPECT_EQ(show.cycles.back().at, 5000u) << "E does not end the wait";
  EXPECT_EQ(show.closeRequests, 0);
}

TEST(ShowLoop, KeysPressedWhileAPictureLoadsTakeEffectWhenItsWaitBegins) {
  FakeShow show(3, kStoredTime);
  show.KeyAt(5400, kKeyUp);  // picture 2 loads from 5300 to 5600
  show.RunFor(5600, 300);
  EXPECT_EQ(show.cycles, (std::vector<FakeShow::Cycle>{{300, 1, true}, {5600, 2, true}, {5900, 3, true}}));
}

TEST(ShowLoop, WaitsTheWholePeriodAcrossTheCounterWrap) {
  FakeShow show(2, 3.0, 0xFFFFFC18u);  // 1000 ms before the wrap
  show.KeyAt(1500, kKeyE);             // handled on the far side of the wrap
  show.RunFor(6000);
  EXPECT_EQ(show.cycles, (std::vector<FakeShow::Cycle>{{0, 1, true}, {3000, 2, true}, {6000, 1, true}}));
  // Asked to block for the whole period; woken by the key halfway, then for the rest.
  EXPECT_EQ(show.blocks, (std::vector<std::uint32_t>{3000, 1500, 3000, 3000}));
}

TEST(ShowLoop, ADisplayTimeOfZeroOrLessStillAnswersInputBetweenCycles) {
  for (double seconds : {0.0, 0.0001, -0.0625, -1e10}) {
    FakeShow show(3, seconds);
    show.KeyAt(35, kKeyP);
    show.RunFor(100, 10);
    EXPECT_EQ(show.state.PhotoDisplayTime, PauseDisplayTime) << seconds;
    // Cycle after cycle without blocking, each followed by event processing, which sees the key.
    EXPECT_EQ(show.cycles, (std::vector<FakeShow::Cycle>{{10, 1, true}, {20, 2, true}, {30, 3, true},
                                                          {40, 1, true}, {50, 1, false}}))
        << seconds;
    EXPECT_EQ(show.blocks, std::vector<std::uint32_t>{555000}) << seconds << ": paused";
  }
}

TEST(ShowLoop, EndsWhenEventProcessingSaysSoAndAStoppedShowRunsNoCycle) {
  FakeShow show(3, kStoredTime);
  show.RunFor(12000);
  EXPECT_EQ(show.cycles.size(), 3u);

  ShowState state;
  state.PhotoDisplayTime = 0.0;
  ShowEngine engine(state, 3, kFitScreen);
  EXPECT_FALSE(engine.WaitOver(0)) << "not begun";
  EXPECT_EQ(engine.BlockFor(0), 0xFFFFFFFFu);
  (void)engine.Begin();
  engine.StartWait(0);
  EXPECT_TRUE(engine.WaitOver(0));
  engine.Stop();
  state.SkipWait = 1;
  EXPECT_FALSE(engine.WaitOver(100)) << "the close was granted";
  EXPECT_EQ(engine.BlockFor(100), 0xFFFFFFFFu);
}

TEST(ShowEngine, AheadIsTheNextCycleUnlessAKeyMovesTheShow) {
  const struct {
    const char* name;
    std::vector<std::uint16_t> keys;
    bool sameAsAhead;
  } rows[] = {
      {"no key", {}, true},
      {"Up", {kKeyUp}, true},
      {"E", {kKeyE}, true},
      {"Up twice", {kKeyUp, kKeyUp}, true},
      {"Down", {kKeyDown}, false},
      {"P", {kKeyP}, false},
  };
  for (std::int16_t current : {1, 2, 3}) {
    for (const auto& row : rows) {
      ShowState state;
      state.PhotoDisplayTime = kStoredTime;
      ShowEngine engine(state, 3, kActualSize);
      (void)engine.Begin();
      state.CurrentImage = current;
      const ShowCycle ahead = engine.Ahead();
      for (std::uint16_t key : row.keys) (void)picture2_KeyDown(state, key, [] { return kStoredTime; });
      const ShowCycle next = engine.Next();
      EXPECT_EQ(next.scale, 1.0f);
      EXPECT_EQ(ahead == next, row.sameAsAhead) << row.name << " on " << current;
    }
  }
}

TEST(ShowEngine, ThePredictionFollowsAPausedShowToo) {
  FakeShow show(3, kStoredTime);
  show.KeyAt(1000, kKeyP);
  show.KeyAt(3000, kKeyUp);
  show.RunFor(600000);
  ASSERT_EQ(show.predicted.size(), show.cycles.size());
  for (std::size_t i = 1; i < show.cycles.size(); ++i) {
    const bool keyBetween = show.cycles[i].at == 1000;  // P moved the show back one
    EXPECT_EQ(show.predicted[i - 1].image == show.cycles[i].image, !keyBetween) << "cycle " << i;
  }
}

}  // namespace
}  // namespace lumiroll
