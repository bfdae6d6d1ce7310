#include "saver/background_loader.h"

#include <algorithm>
#include <condition_variable>
#include <utility>

#include "saver/detached_thread.h"
#include "saver/timed_wait.h"

namespace lumiroll {
namespace {

// Null or an exception is a load that failed; nothing may end the thread, and so the program.
std::shared_ptr<const DecodedPicture> LoadOrFail(const BackgroundLoader::Load& load, LoadJob& job) {
  std::shared_ptr<const DecodedPicture> decoded;
  try {
    decoded = load(job);
  } catch (...) {
    decoded.reset();
  }
  if (decoded) return decoded;
  return std::make_shared<const DecodedPicture>(DecodedPicture{job.request(), std::nullopt, std::nullopt});
}

}  // namespace

LoadJob::LoadJob(DecodeRequest request, std::shared_ptr<const DecodedPicture> kept, LoaderClock clock)
    : request_(std::move(request)), kept_(std::move(kept)), clock_(std::move(clock)), lastData_(clock_()) {}

void LoadJob::Progressed() { lastData_ = clock_(); }

void LoadJob::SetCanceller(std::function<void()> cancel) {
  std::lock_guard lock(cancelMutex_);
  cancel_ = std::move(cancel);
}

std::optional<std::uint32_t> LoadJob::DataDueIn(std::uint32_t now, std::uint32_t limit) const {
  if (!reading_) return std::nullopt;
  // A block stamped by the worker just after the caller read its clock counts as no time at all.
  const std::int32_t silent = std::max(ElapsedMilliseconds(lastData_, now), 0);
  return TimeLeft(static_cast<std::int32_t>(std::min<std::uint32_t>(limit, 0x7FFFFFFF)), silent);
}

void LoadJob::GiveUp() {
  givenUp_ = true;
  std::lock_guard lock(cancelMutex_);
  if (cancel_) cancel_();
}

struct BackgroundLoader::Shared {
  Load load;
  std::function<void()> finished;
  LoaderOptions options;

  mutable std::mutex mutex;
  std::condition_variable wake;     // the worker, idle, is given a load or the loader has gone
  std::shared_ptr<LoadJob> wanted;  // the newest request's, until its result is in
  bool wantedBegun = false;
  WorkerId worker = 0;  // the worker taking requests; 0 while there is none
  WorkerId lastWorker = 0;
  std::shared_ptr<LoadJob> running;              // the worker's load, given to it and not yet returned
  int leftBehind = 0;                            // workers given up on stuck loads, still running
  std::shared_ptr<const DecodedPicture> result;  // the newest request's, not yet taken
  bool ended = false;

  // Gives the wanted job, when it waits, to the idle worker, or to a fresh one when there is none
  // and the bound allows; returns the fresh worker's id (0: none), to be started outside the lock.
  WorkerId Dispatch() {
    if (ended || !wanted || wantedBegun || running) return 0;
    WorkerId fresh = 0;
    if (worker == 0) {
      if (leftBehind >= options.maxThreads) return 0;
      fresh = worker = ++lastWorker;
    }
    wantedBegun = true;
    running = wanted;
    running->Progressed();  // the no-data limit counts from its start, not from its request
    if (fresh == 0) wake.notify_one();
    return fresh;
  }
  // The worker's load is stuck: the worker goes its own way and the next request needs another.
  std::shared_ptr<LoadJob> LeaveBehind() {
    worker = 0;
    ++leftBehind;
    if (running == wanted) wanted.reset();
    return std::exchange(running, nullptr);
  }
  // A worker left behind whose load has returned: it takes requests again when no other does.
  bool Rejoin(WorkerId me) {
    --leftBehind;
    if (ended || worker != 0) return false;
    worker = me;
    return true;
  }
  void Deliver(const std::shared_ptr<LoadJob>& job, std::shared_ptr<const DecodedPicture> decoded) {
    if (ended || wanted != job || job->GivenUp()) return;
    wanted.reset();
    result = std::move(decoded);
    if (finished) finished();
  }
};

BackgroundLoader::BackgroundLoader(Load load, std::function<void()> finished, LoaderOptions options)
    : shared_(std::make_shared<Shared>()) {
  if (!options.startThread) options.startThread = &StartStandardDetachedThread;
  shared_->load = std::move(load);
  shared_->finished = std::move(finished);
  shared_->options = std::move(options);
}

BackgroundLoader::~BackgroundLoader() {
  std::shared_ptr<LoadJob> running;
  {
    std::lock_guard lock(shared_->mutex);
    shared_->ended = true;
    shared_->wanted.reset();
    shared_->result.reset();
    running = shared_->running;
  }
  shared_->wake.notify_all();
  if (running) running->GiveUp();
}

void BackgroundLoader::Request(const DecodeRequest& request, std::shared_ptr<const DecodedPicture> kept) {
  WorkerId fresh = 0;
  {
    std::lock_guard lock(shared_->mutex);
    Shared& s = *shared_;
    if (s.wanted && s.wanted->request() == request) return;
    if (s.result && s.result->request == request) return;
    s.result.reset();  // a finished result for an older request is stale
    if (s.running && s.running->request() == request && !s.running->GivenUp()) {
      s.wanted = s.running;  // still under way: wanted again, not begun again
      s.wantedBegun = true;
      return;
    }
    s.wanted = std::make_shared<LoadJob>(request, std::move(kept), s.options.clock);
    s.wantedBegun = false;
    fresh = s.Dispatch();
  }
  if (fresh != 0) Start(shared_, fresh);
}

// Outside the lock: a starter may take its time, and the thread it starts takes the lock.
void BackgroundLoader::Start(const std::shared_ptr<Shared>& shared, WorkerId worker) {
  if (shared->options.startThread([shared, worker] { Work(shared, worker); })) return;
  std::lock_guard lock(shared->mutex);
  Shared& s = *shared;
  if (s.worker != worker) {
    --s.leftBehind;  // left behind before it could start
    return;
  }
  s.worker = 0;
  if (s.running == s.wanted) s.wantedBegun = false;  // waits for the next request to try again
  s.running.reset();
}

std::shared_ptr<const DecodedPicture> BackgroundLoader::TakeFinished() {
  std::lock_guard lock(shared_->mutex);
  return std::exchange(shared_->result, nullptr);
}

std::uint32_t BackgroundLoader::Watch(std::uint32_t now) {
  std::shared_ptr<LoadJob> stuck;
  WorkerId fresh = 0;
  std::uint32_t next = 0;
  {
    std::lock_guard lock(shared_->mutex);
    Shared& s = *shared_;
    if (!s.wanted || !s.running) return kWaitForever;
    const std::optional<std::uint32_t> left = s.running->DataDueIn(now, s.options.noDataMilliseconds);
    if (!left) return kWaitForever;
    if (*left > 0) return *left;
    const bool wantedStuck = s.running == s.wanted;
    stuck = s.LeaveBehind();
    if (wantedStuck) {
      s.result =
          std::make_shared<const DecodedPicture>(DecodedPicture{stuck->request(), std::nullopt, std::nullopt, true});
    } else {
      fresh = s.Dispatch();  // the newest request no longer waits behind the stuck one
      next = s.wantedBegun ? s.options.noDataMilliseconds : kWaitForever;
    }
  }
  stuck->GiveUp();  // the cancel may take its time; it is not the loader's lock to hold
  if (fresh != 0) Start(shared_, fresh);
  return next;
}

int BackgroundLoader::LoadsUnderWay() const {
  std::lock_guard lock(shared_->mutex);
  return (shared_->running ? 1 : 0) + shared_->leftBehind;
}

// The worker thread: the loads it is given, one at a time, until the loader has gone or the
// worker is left behind on a stuck load.
void BackgroundLoader::Work(const std::shared_ptr<Shared>& shared, WorkerId me) {
  Shared& s = *shared;
  std::unique_lock lock(s.mutex);
  for (;;) {
    s.wake.wait(lock, [&] { return s.ended || s.worker != me || s.running; });
    if (s.ended) return;
    if (s.worker == me) {
      const std::shared_ptr<LoadJob> job = s.running;
      lock.unlock();
      std::shared_ptr<const DecodedPicture> decoded = LoadOrFail(s.load, *job);
      lock.lock();
      if (s.worker == me) s.running.reset();
      s.Deliver(job, std::move(decoded));
    }
    if (s.worker != me && !s.Rejoin(me)) return;
    const bool waited = s.wanted && !s.wantedBegun;
    (void)s.Dispatch();  // this worker is the one and idle: no fresh one is started
    if (waited && s.wantedBegun && s.finished) s.finished();
  }
}

}  // namespace lumiroll
