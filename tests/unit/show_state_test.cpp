#include "saver/show_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace lumiroll {
namespace {

constexpr std::uint16_t kSpace = 32, kEscape = 27, kShift = 16, kLeft = 37, kRight = 39, kAlt = 18;
constexpr double kStoredTime = 5.0;

TEST(Picture2KeyDown, KeysStepPauseOrAskToClose) {
  const struct {
    std::uint16_t key;
    KeyAction action;
    std::int16_t skipWait;
    std::int16_t currentImage;  // from 2
  } rows[] = {
      {kKeyP, KeyAction::None, 1, 1},          {kKeyUp, KeyAction::None, 1, 2},
      {kKeyDown, KeyAction::None, 1, 0},       {kKeyE, KeyAction::ShowThankYou, 0, 2},
      {kSpace, KeyAction::CloseRequest, 0, 2}, {kEscape, KeyAction::CloseRequest, 0, 2},
      {kShift, KeyAction::CloseRequest, 0, 2}, {kLeft, KeyAction::CloseRequest, 0, 2},
      {kRight, KeyAction::CloseRequest, 0, 2}, {kAlt, KeyAction::CloseRequest, 0, 2},
  };
  for (const auto& row : rows) {
    ShowState state;
    state.CurrentImage = 2;
    state.PhotoDisplayTime = 5;
    EXPECT_EQ(picture2_KeyDown(state, row.key, [] { return kStoredTime; }), row.action) << row.key;
    EXPECT_EQ(state.LastKey, row.key);
    EXPECT_EQ(state.SkipWait, row.skipWait) << row.key;
    EXPECT_EQ(state.CurrentImage, row.currentImage) << row.key;
  }
}

TEST(Picture2KeyDown, ResumeReadsTheStoredTimeAfreshAndPauseDoesNot) {
  ShowState state;
  state.CurrentImage = 1;
  state.PhotoDisplayTime = 7;
  int reads = 0;
  double stored = 12.5;
  const StoredDisplayTime readStored = [&] {
    ++reads;
    return stored;
  };
  (void)picture2_KeyDown(state, kKeyP, readStored);
  EXPECT_EQ(state.PhotoDisplayTime, PauseDisplayTime);
  EXPECT_EQ(reads, 0);
  (void)picture2_KeyDown(state, kKeyP, readStored);
  EXPECT_EQ(state.PhotoDisplayTime, 12.5);
  EXPECT_EQ(reads, 1);

  // A setting removed while paused reads as 0: the loop must still wait and answer input.
  stored = 0;
  (void)picture2_KeyDown(state, kKeyP, readStored);
  (void)picture2_KeyDown(state, kKeyP, readStored);
  EXPECT_EQ(state.PhotoDisplayTime, 0.0);
  EXPECT_EQ(DisplayMilliseconds(state.PhotoDisplayTime), 0);
}

TEST(Picture2KeyDown, ManyStepsBackWithinOneWaitNeverWrapToALargeEntry) {
  ShowState state;
  state.CurrentImage = 1;
  for (int i = 0; i < 40000; ++i) (void)picture2_KeyDown(state, kKeyDown, [] { return kStoredTime; });
  EXPECT_EQ(state.CurrentImage, std::numeric_limits<std::int16_t>::min());
  AdvanceImage(state, 3);
  EXPECT_EQ(state.CurrentImage, 1);
}

TEST(Picture2MouseMove, FirstEventRecordsThenAnyDifferenceAsksToClose) {
  const struct {
    const char* name;
    std::vector<std::pair<float, float>> events;
    std::vector<bool> closes;
  } rows[] = {
      {"same place again", {{200, 300}, {200, 300}}, {false, false}},
      {"one pixel right", {{200, 300}, {201, 300}}, {false, true}},
      {"one pixel up", {{200, 300}, {200, 299}}, {false, true}},
      {"top left corner is nothing recorded", {{0, 0}, {1, 0}, {2, 0}}, {false, false, true}},
      {"the corner again after a reference", {{5, 5}, {0, 0}}, {false, true}},
  };
  for (const auto& row : rows) {
    ShowState state;
    for (std::size_t i = 0; i < row.events.size(); ++i)
      EXPECT_EQ(picture2_MouseMove(state, row.events[i].first, row.events[i].second), row.closes[i])
          << row.name << ", event " << i;
  }
}

TEST(Picture2MouseMove, AfterACloseRequestTheNextEventOnlyRecords) {
  ShowState state;
  ASSERT_FALSE(picture2_MouseMove(state, 200, 300));
  ASSERT_TRUE(picture2_MouseMove(state, 210, 300));
  state.ResetMouse = true;  // the close request was refused
  EXPECT_FALSE(picture2_MouseMove(state, 400, 100));
  EXPECT_FALSE(state.ResetMouse);
  EXPECT_FALSE(picture2_MouseMove(state, 400, 100));
  EXPECT_TRUE(picture2_MouseMove(state, 400, 101));
}

TEST(LoopDecisions, ScaleFollowsPhotoSizeAndKeepsThePreviousOtherwise) {
  const struct {
    std::int16_t photoSize;
    float previous;
    float expected;
  } rows[] = {{1, 1.0f, 0.0f}, {2, 0.0f, 1.0f}, {0, 1.0f, 1.0f}, {3, 0.0f, 0.0f}, {-1, 1.0f, 1.0f}};
  for (const auto& row : rows) EXPECT_EQ(ChooseScale(row.photoSize, row.previous), row.expected) << row.photoSize;
}

TEST(LoopDecisions, PaintsUnlessPausedWithPAsTheLastKey) {
  const struct {
    double time;
    std::uint16_t lastKey;
    bool paints;
  } rows[] = {
      {555.0, kKeyP, false}, {555.0, kKeyUp, true}, {5.0, kKeyP, true}, {555.0001, kKeyP, true}, {555.0, 0, true}};
  for (const auto& row : rows) {
    ShowState state;
    state.PhotoDisplayTime = row.time;
    state.LastKey = row.lastKey;
    EXPECT_EQ(ShouldPaint(state), row.paints) << row.time << " " << row.lastKey;
  }
}

TEST(LoopDecisions, DisplayTimeBecomesMillisecondsHalfToEven) {
  const struct {
    double seconds;
    std::int32_t milliseconds;
  } rows[] = {
      {5, 5000},
      {0.0625, 62},
      {0.1875, 188},
      {-0.0625, -62},
      {555, 555000},
      {0, 0},
      {0.0004, 0},
      {99.9994, 99999},
      {2147483.647, 2147483647},
      {1e10, std::numeric_limits<std::int32_t>::max()},
      {-1e10, std::numeric_limits<std::int32_t>::min()},
  };
  for (const auto& row : rows) EXPECT_EQ(DisplayMilliseconds(row.seconds), row.milliseconds) << row.seconds;
  EXPECT_EQ(DisplayMilliseconds(std::nan("")), 0);
  EXPECT_EQ(DisplayMilliseconds(std::numeric_limits<double>::infinity()), std::numeric_limits<std::int32_t>::max());
}

TEST(LoopDecisions, AdvanceWrapsToTheFirstPastEitherEnd) {
  const struct {
    std::int16_t current, count, expected;
  } rows[] = {{1, 3, 2},      {2, 3, 3},         {3, 3, 1},
              {0, 3, 1},      {-1, 3, 1},        {1, 1, 1},
              {-32768, 3, 1}, {32767, 32767, 1}, {32766, 32767, 32767}};
  for (const auto& row : rows) {
    ShowState state;
    state.CurrentImage = row.current;
    AdvanceImage(state, row.count);
    EXPECT_EQ(state.CurrentImage, row.expected) << row.current << " of " << row.count;
  }
}

TEST(LoopDecisions, SettingsAreCompleteOnlyWithAllFourConfigured) {
  const Settings complete{5, kFitScreen, L"C:\\Photos", kAlphabetic};
  EXPECT_TRUE(SettingsComplete(complete));
  const struct {
    const char* name;
    Settings settings;
  } rows[] = {
      {"time", {0, kFitScreen, L"C:\\Photos", kAlphabetic}},
      {"size", {5, 0, L"C:\\Photos", kAlphabetic}},
      {"folder", {5, kFitScreen, L"0", kAlphabetic}},
      {"order", {5, kFitScreen, L"C:\\Photos", 0}},
  };
  for (const auto& row : rows) EXPECT_FALSE(SettingsComplete(row.settings)) << row.name;
  // Only the exact text "0" is the not-configured folder.
  EXPECT_TRUE(SettingsComplete({5, kFitScreen, L"0 ", kAlphabetic}));
  EXPECT_TRUE(SettingsComplete({0.5, kActualSize, L"00", kRandom}));
}

TEST(LoopDecisions, ImagePathAlwaysAddsTheSeparator) {
  EXPECT_EQ(ImagePath(L"C:\\Photos", L"a.jpg"), L"C:\\Photos\\a.jpg");
  EXPECT_EQ(ImagePath(L"C:\\", L"a.jpg"), L"C:\\\\a.jpg");
  EXPECT_EQ(ImagePath(L"D:\\Été 2024", L"写真.jpg"), L"D:\\Été 2024\\写真.jpg");
}

}  // namespace
}  // namespace lumiroll
