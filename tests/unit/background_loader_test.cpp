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

TEST(BackgroundLoader, ANewerRequestReplacesAnOlderOneAndAStaleResultIsDropped) {
  LoaderRig rig({1});
  rig.loader->Request(RequestOf(1));
  ASSERT_TRUE(Eventually([&] { return rig.gate.Waiting() == 1; }));
  EXPECT_EQ(rig.loader->TakeFinished(), nullptr) << "never waits for a load under way";
  rig.loader->Request(RequestOf(2));  // begins at once on a thread of its own
  EXPECT_EQ(WidthOf(rig.Result(1)), 2);
  rig.gate.Open();
  ASSERT_TRUE(Eventually([&] { return rig.threads.Running() == 0; }));
  EXPECT_EQ(rig.loader->TakeFinished(), nullptr) << "1 was no longer wanted";
  EXPECT_EQ(rig.finished, 1);

  // With one thread, requests wait for it; only the newest of them is loaded, on that thread.
  LoaderRig one({1}, 1);
  one.loader->Request(RequestOf(1));
  ASSERT_TRUE(Eventually([&] { return one.gate.Waiting() == 1; }));
  one.loader->Request(RequestOf(2));
  one.loader->Request(RequestOf(3));
  one.gate.Open();
  EXPECT_EQ(WidthOf(one.Result(1)), 3);
  EXPECT_EQ(one.gate.Started(), (std::vector<std::int16_t>{1, 3}));
  EXPECT_EQ(one.threads.started, 1);
}

TEST(BackgroundLoader, TheSameRequestIsNotLoadedTwice) {
  LoaderRig rig({1});
  rig.loader->Request(RequestOf(1));
  ASSERT_TRUE(Eventually([&] { return rig.gate.Waiting() == 1; }));
  rig.loader->Request(RequestOf(2));
  EXPECT_EQ(WidthOf(rig.Result(1)), 2);
  rig.loader->Request(RequestOf(1));  // still under way: wanted again, not begun again
  rig.gate.Open();
  EXPECT_EQ(WidthOf(rig.Result(2)), 1);
  rig.loader->Request(RequestOf(3));
  ASSERT_TRUE(Eventually([&] { return rig.finished == 3; }));
  rig.loader->Request(RequestOf(3));  // finished and not yet taken
  EXPECT_EQ(WidthOf(rig.loader->TakeFinished()), 3);
  EXPECT_EQ(rig.gate.Started(), (std::vector<std::int16_t>{1, 2, 3}));
}

TEST(BackgroundLoader, ALoadWhoseFileGivesNoDataIsGivenUpAndAFreshThreadCarriesOn) {
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

  // The stuck thread is left behind; asking again starts a fresh one, not the given-up load.
  rig.loader->Request(RequestOf(1));
  ASSERT_TRUE(Eventually([&] { return rig.gate.Waiting() == 2; }));
  rig.gate.Open();
  EXPECT_EQ(WidthOf(rig.Result(1)), 1);
  ASSERT_TRUE(Eventually([&] { return rig.threads.Running() == 0; }));
  EXPECT_EQ(rig.loader->TakeFinished(), nullptr) << "the left-behind result is dropped";
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
  const auto failed = rig.Result(1);
  ASSERT_NE(failed, nullptr);
  EXPECT_FALSE(failed->picture);
  rig.loader->Request(RequestOf(4));
  EXPECT_EQ(WidthOf(rig.Result(2)), 4);
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
