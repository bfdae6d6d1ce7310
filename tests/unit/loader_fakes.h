#pragma once
// Fakes for the loader's tests: threads the test can count and join, loads the test holds back
// at a gate until it lets them go, and a loader on both with a clock the test moves.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "saver/background_loader.h"

namespace lumiroll::test {

// True once the condition holds, polled for at most ten seconds of real time.
inline bool Eventually(const std::function<bool()>& condition) {
  for (int i = 0; i < 10000; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return condition();
}

inline DecodeRequest RequestOf(std::int16_t image, float scale = 0.0f) {
  return {image, L"C:\\Photos\\" + std::to_wstring(image) + L".jpg", {1920, 1080, scale}, {}};
}

inline Picture PictureOf(int width) {
  Picture picture;
  picture.width = picture.pixelWidth = width;
  picture.height = picture.pixelHeight = 1;
  picture.pixels.assign(static_cast<std::size_t>(width), 0x123456u);
  return picture;
}

// The loader's threads, joined when this ends (after the loader, which never joins them).
class LoaderThreads {
 public:
  ~LoaderThreads() {
    for (std::thread& t : threads_) t.join();
  }
  std::function<bool(std::function<void()>)> Starter() {
    return [this](std::function<void()> work) {
      ++started;
      threads_.emplace_back([this, work = std::move(work)] {
        work();
        ++ended;
      });
      return true;
    };
  }
  [[nodiscard]] int Running() const { return started - ended; }

  std::atomic<int> started = 0, ended = 0;

 private:
  std::vector<std::thread> threads_;  // started from the test's thread only
};

// Loads that give a picture as wide as their image number at once, except those held: they wait
// at the gate (giving no data) until let go. A kept decode always stands, as for unchanged files.
// A cancel is counted and does nothing, as on a read the system cannot cancel.
class LoadGate {
  // Defined first: the accessors below deduce their types from them.
  template <typename Change>
  void Let(Change change) {
    std::lock_guard lock(mutex_);
    change();
    changed_.notify_all();
  }
  template <typename Read>
  auto Locked(Read read) {
    std::lock_guard lock(mutex_);
    return read();
  }

 public:
  explicit LoadGate(std::set<std::int16_t> held = {}) : held_(std::move(held)) {}

  BackgroundLoader::Load Function() {
    return [this](LoadJob& job) -> std::shared_ptr<const DecodedPicture> {
      const std::int16_t image = job.request().image;
      // Set and cleared outside the gate's lock, which the canceller takes.
      job.SetCanceller([this] {
        std::lock_guard lock(mutex_);
        ++cancels_;
      });
      std::unique_lock lock(mutex_);
      started_.push_back(image);
      const auto at = atGate_.insert(image);
      changed_.wait(lock, [&] { return open_ || !held_.contains(image); });
      atGate_.erase(at);
      lock.unlock();
      job.SetCanceller(nullptr);
      if (image == kThrows) throw std::bad_alloc();
      if (job.GivenUp()) return nullptr;
      if (job.kept() && job.kept()->request == job.request()) return job.kept();
      lock.lock();
      reads_.push_back(image);
      return std::make_shared<const DecodedPicture>(DecodedPicture{job.request(), FileStamp{1, 1}, PictureOf(image)});
    };
  }
  void Open() {
    Let([&] { open_ = true; });
  }
  void Release(std::int16_t image) {
    Let([&] { held_.erase(image); });
  }

  // The images loads were begun for, and those whose files were read (no kept decode stood).
  std::vector<std::int16_t> Started() {
    return Locked([&] { return started_; });
  }
  std::vector<std::int16_t> Reads() {
    return Locked([&] { return reads_; });
  }
  int Cancels() {
    return Locked([&] { return cancels_; });
  }
  // Loads held at the gate and not yet let go.
  int Waiting() {
    return Locked([&] {
      return open_ ? 0 : static_cast<int>(std::count_if(atGate_.begin(), atGate_.end(), [&](std::int16_t image) {
        return held_.contains(image);
      }));
    });
  }
  static constexpr std::int16_t kThrows = 99;

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::set<std::int16_t> held_;
  std::multiset<std::int16_t> atGate_;
  bool open_ = false;
  int cancels_ = 0;
  std::vector<std::int16_t> started_, reads_;
};

// A loader on counted threads and a clock the test moves; its threads are joined after it.
struct LoaderRig {
  explicit LoaderRig(std::set<std::int16_t> held, int maxThreads = 4) : gate(std::move(held)) {
    loader.emplace(
        gate.Function(), [this] { ++finished; },
        LoaderOptions{[this] { return clock.load(); }, threads.Starter(), maxThreads, 10000});
  }
  ~LoaderRig() {
    loader.reset();
    gate.Open();
    EXPECT_TRUE(Eventually([&] { return threads.Running() == 0; }));  // before the gate they run in goes
  }
  // The newest request's result, once it is in.
  std::shared_ptr<const DecodedPicture> Result() {
    std::shared_ptr<const DecodedPicture> taken;
    EXPECT_TRUE(Eventually([&] { return (taken = loader->TakeFinished()) != nullptr; }));
    return taken;
  }

  std::atomic<std::uint32_t> clock = 0;
  std::atomic<int> finished = 0;
  LoaderThreads threads;
  LoadGate gate;
  std::optional<BackgroundLoader> loader;
};

}  // namespace lumiroll::test
