#include "saver/show_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "loader_fakes.h"
#include "saver/picture_feed.h"
#include "saver/show_loop.h"

namespace lumiroll {
namespace {

constexpr double kStoredTime = 5.0;
constexpr int kThankYou = -1;  // on the screen: the thank-you picture

// The show's real engine, loop, feed and loader on a clock that moves only while the loop blocks
// or a picture is painted. Loads run on real threads and take no time on the clock, except those
// the test holds back: they give no data until released at a given time. Input arrives at given
// times and is handled by the next event processing, as a window's queue would hold it; a close
// request ends the show, as it does with no password. Each cycle is recorded as the window would
// carry it out.
class FakeShow {
 public:
  FakeShow(std::int16_t imageCount, double displayTime, std::set<std::int16_t> held = {}, std::uint32_t start = 0)
      : clock(start), gate(std::move(held)), engine_(state, imageCount, kFitScreen) {
    state.PhotoDisplayTime = displayTime;
    loader_.emplace(
        gate.Function(), [this] { ++finished_; },
        LoaderOptions{[this] { return clock.load(); }, threads_.Starter(), 4, 10000});
    feed_.emplace(engine_, *loader_, [](const ShowCycle& cycle) { return test::RequestOf(cycle.image, cycle.scale); });
  }
  ~FakeShow() {
    End();
    gate.Open();
    EXPECT_TRUE(test::Eventually([&] { return threads_.Running() == 0; }));
  }

  void KeyAt(std::uint32_t offset, std::uint16_t key) { inputs_.push_back({clock + offset, Input::Key, key}); }
  // The window's own close request (a click asks for one: the window decides that, and the
  // end-to-end Show suite checks it); here only when it is answered.
  void CloseRequestAt(std::uint32_t offset) { inputs_.push_back({clock + offset, Input::CloseRequest}); }
  void MoveAt(std::uint32_t offset, int x, int y) { inputs_.push_back({clock + offset, Input::Move, 0, x, y}); }
  // A message of the desktop (display power, resume, a display change), told to the engine.
  void TellAt(std::uint32_t offset, std::function<void(ShowEngine&)> tell) {
    tells_.push_back({clock + offset, std::move(tell)});
  }
  // The held load of this image gives its picture at that time.
  void ReleaseAt(std::uint32_t offset, std::int16_t image) {
    inputs_.push_back({clock + offset, Input::Release, 0, image});
  }

  // Runs the show from its first picture until offset ms after the start or its end.
  void RunFor(std::uint32_t offset, std::uint32_t paintMilliseconds = 0) {
    const std::uint32_t start = clock;
    paint_ = paintMilliseconds;
    engine_.Begin(clock);
    RunShowLoop(engine_,
                {[this] { return clock.load(); }, [this](std::uint32_t timeout) { Block(timeout); },
                 [this, start, offset] { return HandleEvents() && clock - start <= offset && cycles.size() < 10000; },
                 [this] { return RunDueCycle(); }, [this](std::uint32_t now) { return feed_->Watch(now); }});
  }
  // The show's end: its loader goes without waiting for what it still loads.
  void End() {
    feed_.reset();
    loader_.reset();
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
  [[nodiscard]] std::vector<std::uint32_t> Times() const {
    std::vector<std::uint32_t> times;
    for (const Cycle& c : cycles) times.push_back(c.at);
    return times;
  }

  [[nodiscard]] int ThreadsStarted() const { return threads_.started; }

  ShowState state;
  std::atomic<std::uint32_t> clock;
  test::LoadGate gate;
  std::vector<Cycle> cycles;
  std::vector<int> screen;            // what the screen showed, one entry per paint: the image, 0 for black
  std::vector<std::uint32_t> blocks;  // the timeouts of blocks that lasted (not ended by a load)
  std::vector<ShowCycle> predicted;   // Ahead, asked after each cycle
  int closeRequests = 0;

 private:
  enum class Input { Key, CloseRequest, Move, Release };  // a release is the gate's, not the window's
  struct Event {
    std::uint32_t at;
    Input input;
    std::uint16_t key = 0;
    int x = 0, y = 0;  // a release's image is x
    bool handled = false;
  };
  struct Tell {
    std::uint32_t at;
    std::function<void(ShowEngine&)> tell;
  };

  bool RunDueCycle() {
    const std::optional<ReadyCycle> ready = feed_->TakeDue();
    if (!ready) return false;
    clock += paint_;
    if (ready->decoded && ready->decoded->picture) picture1_ = ready->decoded->picture->width;
    if (ready->cycle.paint) screen.push_back(picture1_);
    cycles.push_back({clock - first_, ready->cycle.image, ready->cycle.paint});
    feed_->Painted(clock);
    predicted.push_back(engine_.Ahead());
    return true;
  }

  // Loads not held finish first, in real time; a finished one ends the block at once.
  void Block(std::uint32_t timeout) {
    Settle();
    if (finished_ > heard_) {
      heard_ = finished_;
      return;
    }
    blocks.push_back(timeout);
    std::uint32_t step = timeout;
    for (const Event& e : inputs_)
      if (!e.handled && e.at - clock < step) step = e.at - clock;
    for (const Tell& t : tells_)
      if (t.tell && t.at - clock < step) step = t.at - clock;
    clock += step;
    for (Event& e : inputs_) {
      if (e.input != Input::Release || e.handled || e.at != clock) continue;
      e.handled = true;
      gate.Release(static_cast<std::int16_t>(e.x));
    }
    Settle();
  }

  // Every load of the loader either ended or held at the gate.
  void Settle() {
    EXPECT_TRUE(test::Eventually([&] { return loader_->LoadsUnderWay() == gate.Waiting(); }));
  }

  bool HandleEvents() {
    for (Tell& t : tells_) {
      if (!t.tell || static_cast<std::int32_t>(clock - t.at) < 0) continue;
      std::exchange(t.tell, nullptr)(engine_);
    }
    for (Event& e : inputs_) {
      if (e.handled || e.input == Input::Release || static_cast<std::int32_t>(clock - e.at) < 0) continue;
      e.handled = true;
      bool close = e.input == Input::CloseRequest;
      if (e.input == Input::Move) close = picture2_MouseMove(state, static_cast<float>(e.x), static_cast<float>(e.y));
      if (e.input == Input::Key) {
        const KeyAction action = picture2_KeyDown(state, e.key, [] { return kStoredTime; });
        if (action == KeyAction::ShowThankYou) screen.push_back(kThankYou);
        close = action == KeyAction::CloseRequest;
      }
      if (close) {
        ++closeRequests;
        engine_.Stop();
        return false;
      }
    }
    return true;
  }

  std::uint32_t first_ = clock;
  test::LoaderThreads threads_;  // before the loader: joined after it has gone
  std::atomic<int> finished_ = 0;
  int heard_ = 0;
  ShowEngine engine_;
  std::optional<BackgroundLoader> loader_;
  std::optional<PictureFeed> feed_;
  std::uint32_t paint_ = 0;
  int picture1_ = 0;
  std::vector<Event> inputs_;
  std::vector<Tell> tells_;
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
  // Each picture after the first, decoded ahead, is checked against its file at its due time (a
  // load that reads nothing), on the same worker as every read.
  EXPECT_EQ(show.gate.Started().size() - show.gate.Reads().size(), 6u);
  EXPECT_EQ(show.ThreadsStarted(), 1);
}

TEST(ShowLoop, APhotographNotReadyAtItsDueTimeIsShownLateWithItsWholeDisplayTime) {
  FakeShow show(3, kStoredTime, {2});
  show.ReleaseAt(7000, 2);
  show.RunFor(17000);
  EXPECT_EQ(show.screen, (std::vector<int>{1, 2, 3, 1})) << "the first stays until the second is ready";
  EXPECT_EQ(show.Times(), (std::vector<std::uint32_t>{0, 7000, 12000, 17000}));
}

TEST(ShowLoop, APhotographWhoseFileGivesNoDataIsSkippedAfterTheLimit) {
  const struct {
    const char* name;
    std::int16_t stalled;
    std::vector<int> screen;
    std::vector<std::uint32_t> times;
  } rows[] = {
      // Asked for ahead at 0, given up at 10 s; the show goes on with the next.
      {"the next: the previous stays", 2, {1, 1, 3, 1}, {0, 10000, 15000, 20000}},
      {"the first: the screen stays black", 1, {0, 2, 3}, {10000, 15000, 20000}},
  };
  for (const auto& row : rows) {
    FakeShow show(3, kStoredTime, {row.stalled});
    show.RunFor(25000);  // at 25 s the stalled file is due again, and read again
    EXPECT_EQ(show.screen, row.screen) << row.name;
    EXPECT_EQ(show.Times(), row.times) << row.name;
    EXPECT_EQ(show.gate.Cancels(), 1) << row.name;
  }
}

TEST(ShowLoop, AReadAheadGivenUpDuringALongDisplayTimeCountsAsFailedAtItsDueTimeOncePerPass) {
  FakeShow show(3, 30.0, {2});
  show.RunFor(120000);
  // Given up at 10 s of its 30 s read ahead: at 30 s the show goes on at once, not after a
  // second wait; the next time round it is read afresh, and given up again.
  EXPECT_EQ(show.screen, (std::vector<int>{1, 1, 3, 1, 1}));
  EXPECT_EQ(show.Times(), (std::vector<std::uint32_t>{0, 30000, 60000, 90000, 120000}));
  const std::vector<std::int16_t> started = show.gate.Started();
  EXPECT_EQ(std::count(started.begin(), started.end(), 2), 2) << "once a pass";
  EXPECT_EQ(show.gate.Cancels(), 2);
}

TEST(ShowLoop, PastTheThreadsLeftBehindTheShowKeepsItsPhotographUntilOneReturns) {
  FakeShow show(6, 1.0, {2, 3, 4, 5});
  show.ReleaseAt(50000, 2);
  show.RunFor(50000);
  // Each stalled file is given up after 10 s and its thread left behind; with four left, the
  // sixth waits for a thread, unwatched, and the first picture stays on the screen meanwhile.
  EXPECT_EQ(show.Times(), (std::vector<std::uint32_t>{0, 10000, 20000, 30000, 40000, 50000}));
  EXPECT_EQ(show.screen, (std::vector<int>{1, 1, 1, 1, 1, 6}));
}

TEST(ShowLoop, DownShowsTheKeptPictureAndUpTheOneLoadedAheadWithoutReadingThemAgain) {
  FakeShow show(3, kStoredTime);
  show.KeyAt(1000, kKeyUp);
  show.KeyAt(2000, kKeyDown);
  show.KeyAt(3000, kKeyUp);
  show.RunFor(3000);
  EXPECT_EQ(show.screen, (std::vector<int>{1, 2, 1, 2}));
  EXPECT_EQ(show.Times(), (std::vector<std::uint32_t>{0, 1000, 2000, 3000}));
  // 1 and 2 are read once; 3 is read ahead each time 2 shows, and not kept two behind.
  EXPECT_EQ(show.gate.Reads(), (std::vector<std::int16_t>{1, 2, 3, 3}));
}

TEST(ShowLoop, PauseKeepsThePictureAndResumeGoesOnWithTheNext) {
  FakeShow paused(3, kStoredTime);
  paused.KeyAt(6000, kKeyP);  // during picture 2
  paused.RunFor(6000 + 2 * 555000);
  EXPECT_EQ(paused.screen, (std::vector<int>{1, 2}));
  // Picture 2 is loaded again unpainted at once, then CurrentImage moves on unseen each 555 s.
  EXPECT_EQ(paused.cycles,
            (std::vector<FakeShow::Cycle>{
                {0, 1, true}, {5000, 2, true}, {6000, 2, false}, {561000, 3, false}, {1116000, 1, false}}));
  EXPECT_EQ(paused.gate.Reads(), (std::vector<std::int16_t>{1, 2, 3})) << "the paused and the next not read again";

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

TEST(ShowLoop, AKeyACloseRequestOrAPointerMovementDuringALoadThatNeverEndsEndsTheShowAtOnce) {
  const struct {
    const char* name;
    void (*act)(FakeShow& show);
  } inputs[] = {
      {"Space", [](FakeShow& show) { show.KeyAt(7000, 32); }},
      {"the window's close request", [](FakeShow& show) { show.CloseRequestAt(7000); }},
      {"a pointer movement",
       [](FakeShow& show) {
         show.MoveAt(1000, 200, 300);  // only the reference
         show.MoveAt(7000, 201, 300);
       }},
  };
  for (std::int16_t stalled : {1, 2}) {
    for (const auto& input : inputs) {
      SCOPED_TRACE(std::string(input.name) + (stalled == 1 ? " on the first" : " on the next"));
      FakeShow show(3, kStoredTime, {stalled});
      input.act(show);
      show.RunFor(60000);
      EXPECT_EQ(show.closeRequests, 1);
      EXPECT_EQ(show.clock.load(), 7000u) << "answered when it came";
      EXPECT_EQ(show.screen, stalled == 1 ? std::vector<int>{} : std::vector<int>{1});
      show.End();  // does not wait for the stalled load
      EXPECT_EQ(show.gate.Waiting(), 1);
    }
  }
}

TEST(ShowLoop, NothingIsReadOrPaintedWhileTheDisplayIsOffAndTheNextComesAtOnceWhenItIsOn) {
  FakeShow show(3, 1.0);
  show.TellAt(1500, [](ShowEngine& e) { e.SetDisplayOn(false); });
  show.TellAt(61500, [](ShowEngine& e) { e.SetDisplayOn(true); });
  show.TellAt(61800, [](ShowEngine& e) { e.SetDisplayOn(true); });  // dimmed after on: no step
  std::size_t readsAtOff = 0, readsBeforeOn = 0;
  show.TellAt(1501, [&](ShowEngine&) { readsAtOff = show.gate.Reads().size(); });
  show.TellAt(61499, [&](ShowEngine&) { readsBeforeOn = show.gate.Reads().size(); });
  show.RunFor(63500);
  EXPECT_EQ(show.Times(), (std::vector<std::uint32_t>{0, 1000, 61500, 62500, 63500}));
  EXPECT_EQ(show.screen, (std::vector<int>{1, 2, 3, 1, 2}));
  EXPECT_EQ(readsBeforeOn, readsAtOff);
  // While off the loop blocks for events alone: woken only by the three messages.
  EXPECT_EQ(std::count(show.blocks.begin(), show.blocks.end(), 0xFFFFFFFFu), 3);
}

TEST(ShowLoop, ResumeAndADisplayChangeShowAPictureAtOnceButAPausedOneWaitsItsTime) {
  const struct {
    const char* name;
    void (*tell)(ShowEngine& engine);
    bool pausedFirst;
    std::vector<FakeShow::Cycle> cycles;
  } rows[] = {
      {"resume: the next, one period from then",
       [](ShowEngine& e) { e.Resumed(); },
       false,
       {{0, 1, true}, {2000, 2, true}, {7000, 3, true}}},
      {"display change: the same again",
       [](ShowEngine& e) { e.Repeat(2000); },
       false,
       {{0, 1, true}, {2000, 1, true}, {7000, 2, true}}},
      {"resume while paused", [](ShowEngine& e) { e.Resumed(); }, true, {{0, 1, true}, {1000, 1, false}}},
      {"display change while paused", [](ShowEngine& e) { e.Repeat(2000); }, true, {{0, 1, true}, {1000, 1, false}}},
  };
  for (const auto& row : rows) {
    FakeShow show(3, kStoredTime);
    if (row.pausedFirst) show.KeyAt(1000, kKeyP);
    show.TellAt(2000, row.tell);
    show.RunFor(7000);
    EXPECT_EQ(show.cycles, row.cycles) << row.name;
  }
  FakeShow late(3, kStoredTime, {2});
  late.ReleaseAt(7000, 2);
  late.TellAt(6000, [&late](ShowEngine& e) { e.Repeat(late.clock); });
  late.RunFor(7000);
  EXPECT_EQ(late.cycles, (std::vector<FakeShow::Cycle>{{0, 1, true}, {7000, 2, true}}))
      << "the next, awaited, stays next";
}

TEST(ShowLoop, WaitsTheWholePeriodAcrossTheCounterWrap) {
  FakeShow show(2, 3.0, {}, 0xFFFFFC18u);  // 1000 ms before the wrap
  show.KeyAt(1500, kKeyE);                 // handled on the far side of the wrap
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
    EXPECT_EQ(show.cycles, (std::vector<FakeShow::Cycle>{
                               {10, 1, true}, {20, 2, true}, {30, 3, true}, {40, 1, true}, {50, 1, false}}))
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
  engine.Begin(0x90000000u);
  EXPECT_TRUE(engine.WaitOver(0x90000000u)) << "the first picture is due at once";
  EXPECT_EQ(engine.Ahead().image, 1);
  engine.Stop();
  state.SkipWait = 1;
  EXPECT_FALSE(engine.WaitOver(100)) << "the close was granted";
  EXPECT_EQ(engine.BlockFor(100), 0xFFFFFFFFu);
}

TEST(ShowEngine, AheadIsTheNextCycleUnlessAKeyMovesTheShowAndBehindIsWhereDownGoes) {
  const struct {
    const char* name;
    std::vector<std::uint16_t> keys;
    bool sameAsAhead;
    bool sameAsBehind;
  } rows[] = {
      {"no key", {}, true, false},       {"Up", {kKeyUp}, true, false},
      {"E", {kKeyE}, true, false},       {"Up twice", {kKeyUp, kKeyUp}, true, false},
      {"Down", {kKeyDown}, false, true}, {"P", {kKeyP}, false, false},
  };
  for (std::int16_t current : {1, 2, 3}) {
    for (const auto& row : rows) {
      ShowState state;
      state.PhotoDisplayTime = kStoredTime;
      ShowEngine engine(state, 3, kActualSize);
      engine.Begin(0);
      state.CurrentImage = current;
      const ShowCycle ahead = engine.Ahead();
      const ShowCycle behind = engine.Behind();
      for (std::uint16_t key : row.keys) (void)picture2_KeyDown(state, key, [] { return kStoredTime; });
      const ShowCycle next = engine.Next();
      EXPECT_EQ(next.scale, 1.0f);
      EXPECT_EQ(ahead == next, row.sameAsAhead) << row.name << " on " << current;
      EXPECT_EQ(behind == next, row.sameAsBehind) << row.name << " on " << current;
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
