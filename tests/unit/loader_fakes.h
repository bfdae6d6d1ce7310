#pragma once
// Fakes for the loader's tests: a clock the test moves, threads the test can count and join, and
// loads the test holds back at a gate until it lets them go.
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
      std::lock_guard lock(mutex_);
      ++started_;
      threads_.emplace_back([this, work = std::move(work)] {
        work();
        std::lock_guard done(mutex_);
        ++ended_;
        changed_.notify_all();
      });
      return true;
    };
  }
  [[nodiscard]] int Started() {
    std::lock_guard lock(mutex_);
    return started_;
  }
  [[nodiscard]] int Running() {
    std::lock_guard lock(mutex_);
    return started_ - ended_;
  }
  // True when every thread started so far has ended, within a few seconds.
  bool WaitAllEnded() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return ended_ == started_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::thread> threads_;
  int started_ = 0;
  int ended_ = 0;
};

// Loads that give a picture as wide as their image number at once, except those held: they wait
// at the gate (giving no data) until let go. A kept decode always stands, as for unchanged files.
// A cancel is counted and does nothing, as on a read the system cannot cancel.
class LoadGate {
 public:
  explicit LoadGate(std::set<std::int16_t> held = {}) : held_(std::move(held)) {}

  BackgroundLoader::Load Function() {
    return [this](LoadJob& job) -> std::shared_ptr<const DecodedPicture> {
      const std::int16_t image = job.request().image;
      // Set and cleared outside the gate's lock, which the canceller takes.
      job.SetCanceller([this] {
        std::lock_guard cancelled(mutex_);
        ++cancels_;
        changed_.notify_all();
      });
      std::unique_lock lock(mutex_);
      started_.push_back(image);
      const auto at = atGate_.insert(image);
      changed_.notify_all();
      changed_.wait(lock, [&] { return open_ || !held_.contains(image); });
      atGate_.erase(at);
      lock.unlock();
      job.SetCanceller(nullptr);
      if (image == kThrows) throw std::bad_alloc();
      if (job.GivenUp()) return nullptr;
      if (job.kept() && job.kept()->request == job.request()) return job.kept();  // the file is unchanged
      lock.lock();
      reads_.push_back(image);
      return std::make_shared<const DecodedPicture>(DecodedPicture{job.request(), FileStamp{1, 1}, PictureOf(image)});
    };
  }
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  void Release(std::int16_t image) {
    std::lock_guard lock(mutex_);
    held_.erase(image);
    changed_.notify_all();
  }
  std::vector<std::int16_t> Started() {
    std::lock_guard lock(mutex_);
    return started_;
  }
  // The images whose files were read: loads that found no unchanged kept decode.
  std::vector<std::int16_t> Reads() {
    std::lock_guard lock(mutex_);
    return reads_;
  }
  // Loads held at the gate and not yet let go.
  int Waiting() {
    std::lock_guard lock(mutex_);
    return WaitingLocked();
  }
  int Cancels() {
    std::lock_guard lock(mutex_);
    return cancels_;
  }
  // True once `count` loads are blocked at the gate, within a few seconds.
  bool WaitUntilHeld(int count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return WaitingLocked() >= count; });
  }
  static constexpr std::int16_t kThrows = 99;

 private:
  int WaitingLocked() const {
    if (open_) return 0;
    return static_cast<int>(std::count_if(atGate_.begin(), atGate_.end(), [&](std::int16_t image) { return held_.contains(image); }));
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::set<std::int16_t> held_;
  std::multiset<std::int16_t> atGate_;
  bool open_ = false;
  int cancels_ = 0;
  std::vector<std::int16_t> started_;
  std::vector<std::int16_t> reads_;
};

// Counts the loader's finished calls; a test can wait for the next.
class FinishedSignal {
 public:
  std::function<void()> Function() {
    return [this] {
      std::lock_guard lock(mutex_);
      ++count_;
      changed_.notify_all();
    };
  }
  // True when at least `count` calls came, within a few seconds.
  bool WaitFor(int count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return count_ >= count; });
  }
  int Count() {
    std::lock_guard lock(mutex_);
    return count_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int count_ = 0;
};

inline DecodeRequest RequestOf(std::int16_t image, float scale = 0.0f) {
  return {image, L"C:\\Photos\\" + std::to_wstring(image) + L".jpg", {1920, 1080, scale}};
}

// A loader on counted threads and a clock the test moves; declared so that the loader goes
// first and its threads are joined after it.
struct LoaderRig {
  explicit LoaderRig(std::set<std::int16_t> held, int maxThreads = 4) : gate(std::move(held)) {
    loader.emplace(gate.Function(), finished.Function(),
                   LoaderOptions{[this] { return clock.load(); }, threads.Starter(), maxThreads, 10000});
  }
  ~LoaderRig() {
    loader.reset();
    gate.Open();
    EXPECT_TRUE(threads.WaitAllEnded());  // before the gate they run in goes
  }
  // The newest result, waiting for it at most a few seconds of real time.
  std::shared_ptr<const DecodedPicture> Result(int finishedCount) {
    EXPECT_TRUE(finished.WaitFor(finishedCount));
    return loader->TakeFinished();
  }

  std::atomic<std::uint32_t> clock = 0;
  LoaderThreads threads;
  LoadGate gate;
  FinishedSignal finished;
  std::optional<BackgroundLoader> loader;
};

}  // namespace lumiroll::test
