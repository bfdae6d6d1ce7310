// The cancel that succeeds, as on Windows, where CancelSynchronousIo ends a blocked read
// (ReadFile fails with ERROR_OPERATION_ABORTED); under Wine it never has, so only a fake shows it.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "loader_fakes.h"

namespace lumiroll {
namespace {

// A read that blocks until it is cancelled, and then fails, as an aborted ReadFile does.
class CancellableRead {
 public:
  std::shared_ptr<const DecodedPicture> operator()(LoadJob& job) {
    std::unique_lock lock(mutex_);
    ++blocked_;
    changed_.notify_all();
    if (job.request().image != kBlocking)
      return std::make_shared<const DecodedPicture>(
          DecodedPicture{job.request(), FileStamp{}, test::PictureOf(job.request().image)});
    lock.unlock();
    job.SetCanceller([this] {
      std::lock_guard cancelled(mutex_);
      cancelled_ = true;
      changed_.notify_all();
    });
    lock.lock();
    changed_.wait(lock, [this] { return cancelled_; });
    lock.unlock();
    job.SetCanceller(nullptr);
    return nullptr;  // the read was aborted: a failed load
  }
  [[nodiscard]] int Blocked() {
    std::lock_guard lock(mutex_);
    return blocked_;
  }
  static constexpr std::int16_t kBlocking = 1;

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int blocked_ = 0;
  bool cancelled_ = false;
};

TEST(CancelledRead, AStalledReadThatTheSystemCancelsFreesItsWorkerForTheNextLoad) {
  test::LoaderThreads threads;
  CancellableRead read;
  std::atomic<std::uint32_t> clock = 0;
  std::atomic<int> finished = 0;
  std::optional<BackgroundLoader> loader;
  loader.emplace([&read](LoadJob& job) { return read(job); }, [&] { ++finished; },
                 LoaderOptions{[&] { return clock.load(); }, threads.Starter(), 1, 10000});

  loader->Request(test::RequestOf(CancellableRead::kBlocking));
  ASSERT_TRUE(test::Eventually([&] { return read.Blocked() == 1; }));
  clock = 10000;  // no data for the limit: given up, and its read cancelled
  EXPECT_EQ(loader->Watch(clock), 0u);
  EXPECT_TRUE(test::Eventually([&] { return loader->LoadsUnderWay() == 0; })) << "the cancelled read returns";
  const auto failed = loader->TakeFinished();
  ASSERT_TRUE(failed);
  EXPECT_FALSE(failed->picture);

  // With one thread allowed, the next load could not start if the cancelled one were still held.
  loader->Request(test::RequestOf(2));
  ASSERT_TRUE(test::Eventually([&] { return finished == 1; }));
  const auto next = loader->TakeFinished();
  ASSERT_TRUE(next && next->picture);
  EXPECT_EQ(next->picture->width, 2);
  EXPECT_EQ(threads.started, 1) << "the worker, back from the cancelled read, takes requests again";
  loader.reset();
  EXPECT_TRUE(test::Eventually([&] { return threads.Running() == 0; })) << "the program would end with a thread left";
}

}  // namespace
}  // namespace lumiroll
