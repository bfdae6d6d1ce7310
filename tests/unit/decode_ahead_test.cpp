#include "saver/decode_ahead.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <new>
#include <stdexcept>
#include <thread>
#include <vector>

namespace lumiroll {
namespace {

DecodeRequest RequestOf(std::int16_t image, float scale = 0.0f) {
  return {image, L"C:\\Photos\\" + std::to_wstring(image) + L".jpg", {1920, 1080, scale}};
}

Picture PictureOf(int width) {
  Picture picture;
  picture.width = picture.pixelWidth = width;
  picture.height = picture.pixelHeight = 1;
  picture.pixels.assign(static_cast<std::size_t>(width), 0x123456u);
  return picture;
}

TEST(StillCurrent, UsesADecodeOnlyForItsOwnRequestAndAnUnchangedFile) {
  const FileStamp stamp{1000, 42};
  const DecodedPicture decoded{RequestOf(2), stamp, PictureOf(3)};
  const struct {
    const char* name;
    DecodeRequest request;
    std::optional<FileStamp> now;
    bool use;
  } rows[] = {
      {"unchanged", RequestOf(2), stamp, true},
      {"deleted since", RequestOf(2), std::nullopt, false},
      {"replaced by one of another size", RequestOf(2), FileStamp{999, 42}, false},
      {"rewritten at the same size", RequestOf(2), FileStamp{1000, 43}, false},
      {"another list position", RequestOf(3), stamp, false},
      {"the same position under another name", {2, L"C:\\Photos\\x.jpg", {1920, 1080, 0.0f}}, stamp, false},
      {"another scale", RequestOf(2, 1.0f), stamp, false},
      {"another bound", {2, RequestOf(2).path, {1280, 1024, 0.0f}}, stamp, false},
  };
  for (const auto& row : rows) EXPECT_EQ(StillCurrent(decoded, row.request, row.now), row.use) << row.name;

  // A file that changed while it was read carries no stamp: never used.
  EXPECT_FALSE(StillCurrent({RequestOf(2), std::nullopt, PictureOf(3)}, RequestOf(2), stamp));
  // A damaged file that failed ahead fails at its due time without being read twice.
  EXPECT_TRUE(StillCurrent({RequestOf(2), stamp, std::nullopt}, RequestOf(2), stamp));
}

TEST(DecodeStamped, StampsOnlyAFileThatStayedTheSameWhileRead) {
  const struct {
    const char* name;
    std::vector<std::optional<FileStamp>> readings;  // before, after
    bool loads;
    bool stamped;
  } rows[] = {
      {"steady", {FileStamp{10, 1}, FileStamp{10, 1}}, true, true},
      {"steady but damaged", {FileStamp{10, 1}, FileStamp{10, 1}}, false, true},
      {"changed while read", {FileStamp{10, 1}, FileStamp{12, 2}}, true, false},
      {"deleted while read", {FileStamp{10, 1}, std::nullopt}, true, false},
      {"missing", {std::nullopt, std::nullopt}, false, false},
  };
  for (const auto& row : rows) {
    std::size_t reading = 0;
    const DecodedPicture decoded = DecodeStamped(
        RequestOf(1), [&](const std::wstring&) { return row.readings.at(reading++); },
        [&](const DecodeRequest&) { return row.loads ? std::optional(PictureOf(4)) : std::nullopt; });
    EXPECT_EQ(decoded.stamp.has_value(), row.stamped) << row.name;
    EXPECT_EQ(decoded.picture.has_value(), row.loads) << row.name;
    EXPECT_TRUE(decoded.request == RequestOf(1)) << row.name;
  }
}

// A decode that waits at a gate until the test opens it, counting what it was asked for.
class GatedDecode {
 public:
  DecodeAhead::Decode Function() {
    return [this](const DecodeRequest& request) {
      std::unique_lock lock(mutex_);
      started_.push_back(request.image);
      changed_.notify_all();
      changed_.wait(lock, [&] { return open_; });
      if (request.image == kThrows) throw std::bad_alloc();
      return DecodedPicture{request, FileStamp{1, 1}, PictureOf(request.image)};
    };
  }
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  void WaitUntilStarted(std::size_t count) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return started_.size() >= count; });
  }
  std::vector<std::int16_t> Started() {
    std::lock_guard lock(mutex_);
    return started_;
  }
  static constexpr std::int16_t kThrows = 99;

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
  std::vector<std::int16_t> started_;
};

TEST(DecodeAhead, HandsOverTheDecodeMadeForTheRequestOnce) {
  GatedDecode gate;
  std::atomic<int> finished = 0;
  {
    DecodeAhead ahead(gate.Function(), [&] { ++finished; });
    gate.Open();
    ahead.Request(RequestOf(2));
    gate.WaitUntilStarted(1);
    ahead.Request(RequestOf(2));  // asked again while under way or done: not decoded twice
    const auto taken = ahead.Take(RequestOf(2));
    ASSERT_TRUE(taken);
    ASSERT_TRUE(taken->picture);
    EXPECT_EQ(taken->picture->width, 2);
    EXPECT_FALSE(ahead.Take(RequestOf(2))) << "handed over once";
  }  // the finished signal follows the hand-over on the worker: count it once the worker has ended
  EXPECT_EQ(gate.Started(), std::vector<std::int16_t>{2});
  EXPECT_EQ(finished.load(), 1);
}

TEST(DecodeAhead, TakeWaitsForTheDecodeUnderWay) {
  GatedDecode gate;
  DecodeAhead ahead(gate.Function(), [] {});
  ahead.Request(RequestOf(3));
  gate.WaitUntilStarted(1);
  std::thread opener([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    gate.Open();
  });
  const auto taken = ahead.Take(RequestOf(3));
  opener.join();
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->picture->width, 3);
}

TEST(DecodeAhead, ANewerRequestReplacesOneNotBegunAndAStaleDecodeIsDropped) {
  GatedDecode gate;
  DecodeAhead ahead(gate.Function(), [] {});
  ahead.Request(RequestOf(1));
  gate.WaitUntilStarted(1);
  ahead.Request(RequestOf(2));  // queued behind 1
  ahead.Request(RequestOf(3));  // replaces 2
  gate.Open();
  gate.WaitUntilStarted(2);
  const auto taken = ahead.Take(RequestOf(3));
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->picture->width, 3);
  EXPECT_EQ(gate.Started(), (std::vector<std::int16_t>{1, 3}));

  // After Down the show wants another picture: the one decoded ahead is not handed over.
  ahead.Request(RequestOf(1));
  gate.WaitUntilStarted(3);
  EXPECT_FALSE(ahead.Take(RequestOf(2)));
  EXPECT_FALSE(ahead.Take(RequestOf(1))) << "dropped by the Take for another";
  ahead.Request(RequestOf(1));
  gate.WaitUntilStarted(4);
  EXPECT_TRUE(ahead.Take(RequestOf(1))) << "asked for again, it is decoded again";
}

TEST(DecodeAhead, ARequestNotYetBegunIsLeftToTheCaller) {
  GatedDecode gate;
  DecodeAhead ahead(gate.Function(), [] {});
  ahead.Request(RequestOf(1));
  gate.WaitUntilStarted(1);
  ahead.Request(RequestOf(2));
  EXPECT_FALSE(ahead.Take(RequestOf(2))) << "the caller loads it sooner than the busy worker";
  gate.Open();
  EXPECT_FALSE(ahead.Take(RequestOf(1))) << "a finished decode for another is stale";
  EXPECT_EQ(gate.Started(), std::vector<std::int16_t>{1});
}

TEST(DecodeAhead, AFailedDecodeIsLoadedAgainAndTheWorkerGoesOn) {
  GatedDecode gate;
  DecodeAhead ahead(gate.Function(), [] {});
  gate.Open();
  ahead.Request(RequestOf(GatedDecode::kThrows));
  gate.WaitUntilStarted(1);
  const auto failed = ahead.Take(RequestOf(GatedDecode::kThrows));
  ASSERT_TRUE(failed);
  EXPECT_FALSE(StillCurrent(*failed, RequestOf(GatedDecode::kThrows), FileStamp{1, 1}));
  ahead.Request(RequestOf(4));
  gate.WaitUntilStarted(2);
  const auto next = ahead.Take(RequestOf(4));
  ASSERT_TRUE(next);
  EXPECT_TRUE(next->picture);
}

TEST(DecodeAhead, EndingWaitsForTheDecodeUnderWay) {
  GatedDecode gate;
  std::atomic<bool> finished = false;
  {
    // Opened only once the show is ending, so the queued request cannot begin before it ends.
    std::jthread opener;
    DecodeAhead ahead(gate.Function(), [&] { finished = true; });
    ahead.Request(RequestOf(5));
    gate.WaitUntilStarted(1);
    ahead.Request(RequestOf(6));  // never begun
    opener = std::jthread([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      gate.Open();
    });
  }
  EXPECT_TRUE(finished.load());
  EXPECT_EQ(gate.Started(), std::vector<std::int16_t>{5});
}

}  // namespace
}  // namespace lumiroll
