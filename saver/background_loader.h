#pragma once
// The one loader of pictures. Every read of a photograph runs on the loader's worker thread, never
// on a thread that answers the user, and nobody ever waits for it: the worker takes requests in
// turn, a newer request replaces an older one not begun, a result for a request no longer wanted
// is dropped by its tag, and a finished load is announced through a callback. A load whose file
// gives no data for a while is given up: its read is cancelled where the system can, and otherwise
// its worker is left behind, a bounded number, and a fresh worker carries on.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "saver/decoded_picture.h"

namespace lumiroll {

// A wrapping millisecond counter, read from any thread.
using LoaderClock = std::function<std::uint32_t()>;

// One load, as the load function sees it on its worker thread.
class LoadJob {
 public:
  LoadJob(DecodeRequest request, std::shared_ptr<const DecodedPicture> kept, LoaderClock clock);

  [[nodiscard]] const DecodeRequest& request() const { return request_; }
  // A decode made earlier for the same request, which stands while its file is unchanged; may be null.
  [[nodiscard]] const std::shared_ptr<const DecodedPicture>& kept() const { return kept_; }
  // The file answered (its stamp, a block of data): the no-data limit counts from now.
  void Progressed();
  // The whole file is in: the decode that follows is not held to the no-data limit.
  void ReadingDone() { reading_ = false; }
  // The loader has given up on this load; a read should stop at its next block.
  [[nodiscard]] bool GivenUp() const { return givenUp_; }
  // How to cancel a read blocked on this job's thread; empty once nothing can block.
  void SetCanceller(std::function<void()> cancel);
  // Milliseconds left before the file has given no data for the limit; nothing once reading is done.
  [[nodiscard]] std::optional<std::uint32_t> DataDueIn(std::uint32_t now, std::uint32_t limit) const;

 private:
  friend class BackgroundLoader;
  void GiveUp();

  const DecodeRequest request_;
  const std::shared_ptr<const DecodedPicture> kept_;
  const LoaderClock clock_;
  std::atomic<std::uint32_t> lastData_;
  std::atomic<bool> reading_{true};
  std::atomic<bool> givenUp_{false};
  std::mutex cancelMutex_;
  std::function<void()> cancel_;
};

struct LoaderOptions {
  LoaderClock clock;  // required
  // Starts a thread that runs work and is never joined; false when none can be started. It must
  // not run work before it returns. Empty: the standard library's threads.
  std::function<bool(std::function<void()> work)> startThread;
  // Threads at once: the worker and those left behind on stuck loads. With that many left behind
  // a request waits, not begun, until one of them returns and becomes the worker again.
  int maxThreads = 4;
  std::uint32_t noDataMilliseconds = 10000;
};

class BackgroundLoader {
 public:
  // Runs on a worker thread; null or an exception counts as a load that failed.
  using Load = std::function<std::shared_ptr<const DecodedPicture>(LoadJob& job)>;
  // finished is called on a worker thread when the newest request's result is ready, and when
  // that request begins after waiting for the worker (its watch is then due). It runs under the
  // loader's lock: it must only signal (set an event, post a message), never call back.
  BackgroundLoader(Load load, std::function<void()> finished, LoaderOptions options);
  BackgroundLoader(const BackgroundLoader&) = delete;
  BackgroundLoader& operator=(const BackgroundLoader&) = delete;
  // Never waits: a load under way is given up and ends on its own thread, unheard; an idle worker
  // ends at once.
  ~BackgroundLoader();

  // Asks for a picture, with a decode made earlier that stands if its file is unchanged. Replaces
  // any older request: one not begun is forgotten; one under way runs on, the new one waiting for
  // the worker, and its result is dropped, unless it is asked for again while still under way.
  // The same request as the newest, unfinished or finished and not yet taken, starts nothing new.
  void Request(const DecodeRequest& request, std::shared_ptr<const DecodedPicture> kept = nullptr);
  // The newest request's result once it is ready (a failed load included), handed over once;
  // null before then. Never waits.
  [[nodiscard]] std::shared_ptr<const DecodedPicture> TakeFinished();
  // Holds the newest load to the no-data limit, or the load it waits behind on the worker: when
  // that file has given nothing for that long, the load is given up, its worker left behind, and
  // a fresh worker takes the newest request; a given-up newest load's result is a failed load,
  // ready to take. Returns the milliseconds until the next call is due (0 when the newest load
  // has just been given up; kWaitForever when nothing is watched).
  [[nodiscard]] std::uint32_t Watch(std::uint32_t now);
  // Loads the worker and the workers left behind are running or given to run: for a caller that
  // waits until each has either ended or blocked.
  [[nodiscard]] int LoadsUnderWay() const;

 private:
  struct Shared;
  using WorkerId = std::uint64_t;
  static void Work(const std::shared_ptr<Shared>& shared, WorkerId me);
  static void Start(const std::shared_ptr<Shared>& shared, WorkerId worker);

  std::shared_ptr<Shared> shared_;  // outlives the loader while its threads run
};

}  // namespace lumiroll
