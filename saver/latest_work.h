#pragma once
// Work that may take any time (a folder listing on a share that stopped answering), run on a
// thread that nobody joins, so that the thread answering the user never waits for it. A newer
// request replaces an older one: an older one not begun is forgotten, one under way runs on and
// its result is dropped. The threads left behind are bounded: past the bound a request waits, not
// begun, until one of them returns.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

#include "saver/detached_thread.h"

namespace lumiroll {

template <typename Result>
class LatestWork {
 public:
  // finished is called on the worker thread when the newest request's result is ready, under the
  // lock: it must only signal (set an event, post a message), never call back.
  explicit LatestWork(const std::function<void()>& finished, int maxThreads = 4, StartDetachedThread start = {})
      : shared_(std::make_shared<Shared>()) {
    shared_->finished = finished;
    shared_->maxThreads = maxThreads;
    shared_->start = start ? std::move(start) : StartDetachedThread(&StartStandardDetachedThread);
  }
  LatestWork(const LatestWork&) = delete;
  LatestWork& operator=(const LatestWork&) = delete;
  // Never waits: work under way ends on its own thread, unheard.
  ~LatestWork() {
    std::lock_guard lock(shared_->mutex);
    shared_->ended = true;
    shared_->waiting = nullptr;
  }

  // The work must hold everything it uses (it may outlive its requester); an exception it throws
  // gives a default result.
  void Request(std::function<Result()> work) {
    Job job;
    {
      std::lock_guard lock(shared_->mutex);
      Shared& s = *shared_;
      s.result.reset();
      s.waiting = std::move(work);
      s.waitingTag = ++s.newest;
      job = s.Begin();
    }
    if (job.work) Start(shared_, std::move(job));
  }
  // The newest request's result once it is ready, handed over once. Never waits.
  [[nodiscard]] std::optional<Result> TakeFinished() {
    std::lock_guard lock(shared_->mutex);
    if (shared_->result) shared_->taken = shared_->newest;
    return std::exchange(shared_->result, std::nullopt);
  }
  // True from a request until its result is taken.
  [[nodiscard]] bool UnderWay() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->taken != shared_->newest;
  }

 private:
  struct Job {
    std::uint64_t tag = 0;
    std::function<Result()> work;
  };
  struct Shared {
    std::mutex mutex;
    std::function<void()> finished;
    int maxThreads = 4;
    StartDetachedThread start;
    std::uint64_t newest = 0, taken = 0, waitingTag = 0;
    std::function<Result()> waiting;  // the newest request, not begun
    int running = 0;                  // threads under way, those whose result is dropped included
    std::optional<Result> result;     // the newest request's, not yet taken
    bool ended = false;

    Job Begin() {
      if (ended || !waiting || running >= maxThreads) return {};
      ++running;
      return {waitingTag, std::exchange(waiting, nullptr)};
    }
  };

  // Outside the lock: a starter may take its time, and the thread it starts takes the lock.
  static void Start(const std::shared_ptr<Shared>& shared, Job job) {
    const std::uint64_t tag = job.tag;
    auto work = std::make_shared<Job>(std::move(job));
    if (shared->start([shared, work] { Run(shared, std::move(*work)); })) return;
    std::lock_guard lock(shared->mutex);
    --shared->running;
    // Waits for a thread that returns, unless a newer request came meanwhile.
    if (!shared->waiting && shared->waitingTag == tag) shared->waiting = std::move(work->work);
  }

  // One worker thread: the job it was started for, then any request that waited for a thread.
  static void Run(const std::shared_ptr<Shared>& shared, Job job) {
    while (job.work) {
      Result result{};
      try {
        result = job.work();
      } catch (...) {
        result = Result{};  // nothing may end the thread, and so the program
      }
      std::lock_guard lock(shared->mutex);
      --shared->running;
      if (job.tag == shared->newest && !shared->ended) {
        shared->result = std::move(result);
        if (shared->finished) shared->finished();
      }
      job = shared->Begin();
    }
  }

  std::shared_ptr<Shared> shared_;  // outlives this while its threads run
};

}  // namespace lumiroll
