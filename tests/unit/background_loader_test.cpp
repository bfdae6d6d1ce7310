#include "saver/background_loader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <vector>

#include "loader_fakes.h"
#include "saver/stamped_load.h"
#include "saver/timed_wait.h"
#include "tests/unit/native_pictures.h"

namespace lumiroll {
namespace {

using test::Eventually;
using test::RequestOf;

using test::LoaderRig;

int WidthOf(const std::shared_ptr<const DecodedPicture>& decoded) {
  return decoded && decoded->picture ? decoded->picture->width : 0;
}

TEST(BackgroundLoader, OneWorkerServesTheRequestsInTurnAndOnlyTheNewestWaitingOneIsLoaded) {
  LoaderRig rig({1});
  rig.loader->Request(RequestOf(1));
  ASSERT_TRUE(Eventually([&] { return rig.gate.Waiting() == 1; }));
  EXPECT_EQ(rig.loader->TakeFinished(), nullptr) << "never waits for a load under way";
  rig.loader->Request(RequestOf(2));
  rig.loader->Request(RequestOf(3));  // 2 never began: forgotten
  EXPECT_EQ(rig.loader->LoadsUnderWay(), 1) << "3 waits for the worker";
  rig.gate.Open();
  EXPECT_EQ(WidthOf(rig.Result()), 3) << "1's result, no longer wanted, is dropped";
  for (std::int16_t image = 4; image <= 8; ++image) {
    rig.loader->Request(RequestOf(image));
    EXPECT_EQ(WidthOf(rig.Result()), image);
  }
  EXPECT_EQ(rig.gate.Started(), (std::vector<std::int16_t>{1, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(rig.threads.started, 1) << "one worker for every request";
  EXPECT_EQ(rig.threads.Running(), 1) << "idle until the next request or the loader's end";
}

TEST(BackgroundLoader, TheSameRequestIsNotLoadedTwice) {
  LoaderRig rig({1});
  rig.loader->Request(RequestOf(1));
  ASSERT_TRUE(Eventually([&] { return rig.gate.Waiting() == 1; }));
  rig.loader->Request(RequestOf(2));
  rig.loader->Request(RequestOf(1));  // still under way: wanted again, not begun again
  rig.gate.Open();
  EXPECT_EQ(WidthOf(rig.Result()), 1);
  rig.loader->Request(RequestOf(3));
  ASSERT_TRUE(Eventually([&] { return rig.loader->LoadsUnderWay() == 0; }));
  rig.loader->Request(RequestOf(3));  // finished and not yet taken
  EXPECT_EQ(WidthOf(rig.loader->TakeFinished()), 3);
  EXPECT_EQ(rig.gate.Started(), (std::vector<std::int16_t>{1, 3}));
}

TEST(BackgroundLoader, ALoadWhoseFileGivesNoDataIsGivenUpAndAFreshWorkerCarriesOn) {
  LoaderRig rig({1});
  rig.loader->Request(RequestOf(1));
  ASSERT_TRUE(Eventually([&] { return rig.gate.Waiting() == 1; }));
  EXPECT_EQ(rig.loader->Watch(9999), 1u);
  EXPECT_EQ(rig.loader->TakeFinished(), nullptr);
  EXPECT_EQ(rig.loader->Watch(10000), 0u);
  const auto failed = rig.loader->TakeFinished();
  ASSERT_NE(failed, nullptr);
  EXPECT_EQ(failed->request, RequestOf(1));
  EXPECT_FALSE(failed->picture);
  EXPECT_FALSE(failed->stamp) << "asked again, the file is read again";
  EXPECT_EQ(rig.gate.Cancels(), 1) << "its read is cancelled where the system can";
  EXPECT_EQ(rig.loader->Watch(10000), kWaitForever);

  // The stuck worker is left behind; a fresh one serves the next request while it blocks.
  rig.loader->Request(RequestOf(2));
  EXPECT_EQ(WidthOf(rig.Result()), 2);
  EXPECT_EQ(rig.threads.started, 2);
  rig.loader->Request(RequestOf(1));  // read afresh, not the given-up load
  ASSERT_TRUE(Eventually([&] { return rig.gate.Waiting() == 2; }));
  rig.gate.Open();
  EXPECT_EQ(WidthOf(rig.Result()), 1);
  ASSERT_TRUE(Eventually([&] { return rig.loader->LoadsUnderWay() == 0; }));
  EXPECT_EQ(rig.loader->TakeFinished(), nullptr) << "the left-behind result is dropped";
  EXPECT_TRUE(Eventually([&] { return rig.threads.Running() == 1; })) << "the left-behind worker, back, ends";
}

TEST(BackgroundLoader, TheNewestRequestWaitingBehindAStuckLoadIsTakenByAFreshWorker) {
  LoaderRig rig({1});
  rig.loader->Request(RequestOf(1));
  ASSERT_TRUE(Eventually([&] { return rig.gate.Waiting() == 1; }));
  rig.loader->Request(RequestOf(2));
  EXPECT_EQ(rig.loader->Watch(4000), 6000u) << "the load it waits behind is watched";
  rig.clock = 10000;
  EXPECT_EQ(rig.loader->Watch(10000), 10000u) << "2 begins now, and is watched from now";
  EXPECT_EQ(WidthOf(rig.Result()), 2);
  EXPECT_EQ(rig.gate.Cancels(), 1);
  EXPECT_EQ(rig.threads.started, 2);
}

TEST(BackgroundLoader, PastTheBoundOnWorkersLeftBehindARequestWaitsForOneToReturn) {
  LoaderRig rig({1, 2}, 2);
  for (std::int16_t image = 1; image <= 2; ++image) {
    rig.loader->Request(RequestOf(image));
    ASSERT_TRUE(Eventually([&] { return rig.gate.Waiting() == image; }));
    rig.clock += 10000;
    EXPECT_EQ(rig.loader->Watch(rig.clock), 0u);
    ASSERT_NE(rig.loader->TakeFinished(), nullptr);
  }
  rig.loader->Request(RequestOf(3));
  EXPECT_EQ(rig.loader->Watch(rig.clock), kWaitForever) << "nothing runs to watch";
  EXPECT_EQ(rig.loader->LoadsUnderWay(), 2);
  rig.gate.Release(1);
  EXPECT_EQ(WidthOf(rig.Result()), 3) << "the first worker back takes it";
  EXPECT_EQ(rig.finished, 2) << "told when it began, so that its watch starts, and when it is done";
  EXPECT_EQ(rig.threads.started, 2) << "no thread past the bound";
  EXPECT_EQ(rig.gate.Started(), (std::vector<std::int16_t>{1, 2, 3}));
}

TEST(BackgroundLoader, DataAndTheEndOfReadingHoldOffTheLimit) {
  std::atomic<std::uint32_t> clock = 0xFFFFF000u;  // across the counter's wrap
  LoadJob job(RequestOf(5), nullptr, [&] { return clock.load(); });
  EXPECT_EQ(job.DataDueIn(0xFFFFF000u + 6000, 10000), std::optional<std::uint32_t>(4000));
  EXPECT_EQ(job.DataDueIn(0xFFFFF000u - 5, 10000), std::optional<std::uint32_t>(10000)) << "stamped after now";
  EXPECT_EQ(job.DataDueIn(0xFFFFF000u + 20000, 10000), std::optional<std::uint32_t>(0));
  clock = 0xFFFFF000u + 15000;
  job.Progressed();
  EXPECT_EQ(job.DataDueIn(0xFFFFF000u + 20000, 10000), std::optional<std::uint32_t>(5000));
  job.ReadingDone();
  EXPECT_EQ(job.DataDueIn(0xFFFFF000u + 90000, 10000), std::nullopt) << "the decode is not watched";
}

TEST(BackgroundLoader, ALoadThatThrowsIsAFailedLoadAndTheWorkerGoesOn) {
  LoaderRig rig({});
  rig.loader->Request(RequestOf(test::LoadGate::kThrows));
  const auto failed = rig.Result();
  ASSERT_NE(failed, nullptr);
  EXPECT_FALSE(failed->picture);
  rig.loader->Request(RequestOf(4));
  EXPECT_EQ(WidthOf(rig.Result()), 4);
  EXPECT_EQ(rig.threads.started, 1);
}

TEST(LoadStamped, AKeptDecodeStandsOnlyForItsOwnRequestAndAnUnchangedFile) {
  const FileStamp stamp{1000, 42};
  const auto decoded = [](std::optional<FileStamp> s, bool loaded) {
    return std::make_shared<const DecodedPicture>(
        DecodedPicture{RequestOf(2), s, loaded ? std::optional(test::PictureOf(3)) : std::nullopt});
  };
  const auto kept = decoded(stamp, true), keptFailure = decoded(stamp, false), keptUnstamped = decoded({}, true);
  DecodeRequest forAnotherMonitor = RequestOf(2);
  forAnotherMonitor.display = DisplayProfile::FromBytes(test::DataFileBytes("display_p3.icc"));
  ASSERT_FALSE(forAnotherMonitor.display.IsSrgb());
  const struct {
    const char* name;
    DecodeRequest request;
    std::shared_ptr<const DecodedPicture> kept;
    std::vector<std::optional<FileStamp>> readings;  // before, after
    bool reused;
    bool stamped;
  } rows[] = {
      {"unchanged", RequestOf(2), kept, {stamp}, true, true},
      {"a damaged file is not read twice", RequestOf(2), keptFailure, {stamp}, true, true},
      {"deleted since", RequestOf(2), kept, {std::nullopt, std::nullopt}, false, false},
      {"replaced by one of another size", RequestOf(2), kept, {FileStamp{999, 42}, FileStamp{999, 42}}, false, true},
      {"rewritten at the same size", RequestOf(2), kept, {FileStamp{1000, 43}, FileStamp{1000, 43}}, false, true},
      {"kept while it changed", RequestOf(2), keptUnstamped, {stamp, stamp}, false, true},
      {"another scale", RequestOf(2, 1.0f), kept, {stamp, stamp}, false, true},
      {"another monitor's colours", forAnotherMonitor, kept, {stamp, stamp}, false, true},
      {"another name at the same position",
       {2, L"C:\\Photos\\x.jpg", {1920, 1080, 0.0f}, {}},
       kept,
       {stamp, stamp},
       false,
       true},
      {"changed while read", RequestOf(2), nullptr, {stamp, FileStamp{1200, 50}}, false, false},
      {"deleted while read", RequestOf(2), nullptr, {stamp, std::nullopt}, false, false},
  };
  for (const auto& row : rows) {
    LoadJob job(row.request, row.kept, [] { return 0u; });
    std::size_t reading = 0;
    int reads = 0;
    const auto loaded = LoadStamped(
        job, [&](const std::wstring&) { return row.readings.at(reading++); },
        [&] { return ++reads, std::optional(test::PictureOf(7)); });
    ASSERT_NE(loaded, nullptr) << row.name;
    EXPECT_EQ(loaded == row.kept, row.reused) << row.name;
    EXPECT_EQ(reads, row.reused ? 0 : 1) << row.name;
    EXPECT_EQ(loaded->stamp.has_value(), row.stamped) << row.name;
    EXPECT_EQ(loaded->request, row.request) << row.name;
  }
}

}  // namespace
}  // namespace lumiroll
