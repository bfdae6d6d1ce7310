#include "saver/background_loader.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "saver/detached_thread.h"
#include "saver/timed_wait.h"

namespace lumiroll {
namespace {

std::shared_ptr<const DecodedPicture> FailedLoad(const DecodeRequest& request) {
  return std::make_shared<const DecodedPicture>(DecodedPicture{request, std::nullopt, std::nullopt});
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

  std::mutex mutex;
  std::shared_ptr<LoadJob> wanted;  // the newest request's, until its result is in
  bool wantedBegun = false;
  std::vector<std::shared_ptr<LoadJob>> underWay;  // each on a thread of its own
  std::shared_ptr<const DecodedPicture> result;    // the newest request's, not yet taken
  bool ended = false;

  // The wanted job, when it waits and a thread may take it; marked as begun.
  std::shared_ptr<LoadJob> BeginWanted() {
    if (ended || !wanted || wantedBegun || static_cast<int>(underWay.size()) >= options.maxThreads) return nullptr;
    wantedBegun = true;
    underWay.push_back(wanted);
    wanted->Progressed();  // the no-data limit counts from its start, not from its request
    return wanted;
  }
  void Finish(const std::shared_ptr<LoadJob>& job) { std::erase(underWay, job); }
};

BackgroundLoader::BackgroundLoader(Load load, std::function<void()> finished, LoaderOptions options)
    : shared_(std::make_shared<Shared>()) {
  if (!options.startThread) options.startThread = &StartStandardDetachedThread;
  shared_->load = std::move(load);
  shared_->finished = std::move(finished);
  shared_->options = std::move(options);
}

BackgroundLoader::~BackgroundLoader() {
  std::vector<std::shared_ptr<LoadJob>> underWay;
  {
    std::lock_guard lock(shared_->mutex);
    shared_->ended = true;
    shared_->wanted.reset();
    shared_->result.reset();
    underWay = shared_->underWay;
  }
  for (const auto& job : underWay) job->GiveUp();
}

void BackgroundLoader::Request(const DecodeRequest& request, std::shared_ptr<const DecodedPicture> kept) {
  std::shared_ptr<LoadJob> start;
  {
    std::lock_guard lock(shared_->mutex);
    Shared& s = *shared_;
    if (s.wanted && s.wanted->request() == request && !s.wanted->GivenUp()) return;
    if (s.result && s.result->request == request) return;
    s.result.reset();  // a finished result for an older request is stale
    const auto again = std::find_if(s.underWay.begin(), s.underWay.end(), [&](const std::shared_ptr<LoadJob>& job) {
      return job->request() == request && !job->GivenUp();
    });
    if (again != s.underWay.end()) {
      s.wanted = *again;
      s.wantedBegun = true;
      return;
    }
    s.wanted = std::make_shared<LoadJob>(request, std::move(kept), s.options.clock);
    s.wantedBegun = false;
    start = s.BeginWanted();
  }
  if (start) Start(shared_, start);
}

// Outside the lock: a starter may take its time, and the thread it starts takes the lock.
void BackgroundLoader::Start(const std::shared_ptr<Shared>& shared, const std::shared_ptr<LoadJob>& job) {
  if (shared->options.startThread([shared, job] { Run(shared, job); })) return;
  std::lock_guard lock(shared->mutex);
  shared->Finish(job);
  if (shared->wanted == job) shared->wantedBegun = false;  // waits for a thread that returns
}

std::shared_ptr<const DecodedPicture> BackgroundLoader::TakeFinished() {
  std::lock_guard lock(shared_->mutex);
  return std::exchange(shared_->result, nullptr);
}

std::uint32_t BackgroundLoader::Watch(std::uint32_t now) {
  std::shared_ptr<LoadJob> givenUp;
  {
    std::lock_guard lock(shared_->mutex);
    Shared& s = *shared_;
    if (!s.wanted || !s.wantedBegun) return kWaitForever;
    const std::optional<std::uint32_t> left = s.wanted->DataDueIn(now, s.options.noDataMilliseconds);
    if (!left) return kWaitForever;
    if (*left > 0) return *left;
    givenUp = std::exchange(s.wanted, nullptr);
    s.result =
        std::make_shared<const DecodedPicture>(DecodedPicture{givenUp->request(), std::nullopt, std::nullopt, true});
  }
  givenUp->GiveUp();  // the cancel may take its time; it is not the loader's lock to hold
  return 0;
}

// One worker thread: the job it was started for, then any request that waited for a thread.
void BackgroundLoader::Run(const std::shared_ptr<Shared>& shared, std::shared_ptr<LoadJob> job) {
  while (job) {
    std::shared_ptr<const DecodedPicture> decoded;
    try {
      decoded = shared->load(*job);
    } catch (...) {
      decoded.reset();  // nothing may end the thread, and so the program
    }
    if (!decoded) decoded = FailedLoad(job->request());
    std::lock_guard lock(shared->mutex);
    shared->Finish(job);
    if (shared->wanted == job && !job->GivenUp()) {
      shared->wanted.reset();
      shared->result = std::move(decoded);
      if (!shared->ended && shared->finished) shared->finished();
    }
    job = shared->BeginWanted();
  }
}

}  // namespace lumiroll
