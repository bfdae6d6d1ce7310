#include "saver/decode_ahead.h"

#include <utility>

namespace lumiroll {

DecodedPicture DecodeStamped(const DecodeRequest& request, const FileStampReader& stampOf, const PictureReader& load) {
  DecodedPicture decoded{request, stampOf(request.path), load(request)};
  if (decoded.stamp && stampOf(request.path) != decoded.stamp) decoded.stamp.reset();
  return decoded;
}

bool StillCurrent(const DecodedPicture& decoded, const DecodeRequest& request, const std::optional<FileStamp>& stampNow) {
  return decoded.request == request && decoded.stamp && stampNow && *decoded.stamp == *stampNow;
}

DecodeAhead::DecodeAhead(Decode decode, std::function<void()> finished)
    : decode_(std::move(decode)), finished_(std::move(finished)), thread_([this] { Run(); }) {}

DecodeAhead::~DecodeAhead() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    queued_.reset();
  }
  changed_.notify_all();
  thread_.join();
}

void DecodeAhead::Request(DecodeRequest request) {
  {
    std::lock_guard lock(mutex_);
    if (underWay_ && *underWay_ == request) {
      staleUnderWay_ = false;  // wanted again after all
      return;
    }
    if (done_ && done_->request == request) return;
    queued_ = std::move(request);
  }
  changed_.notify_all();
}

std::optional<DecodedPicture> DecodeAhead::Take(const DecodeRequest& request) {
  std::unique_lock lock(mutex_);
  if (queued_ && *queued_ == request) queued_.reset();  // not begun: the caller loads it sooner
  if (underWay_ && *underWay_ == request) changed_.wait(lock, [&] { return !underWay_; });
  else if (underWay_) staleUnderWay_ = true;  // dropped when it finishes, not held beside the new one
  std::optional<DecodedPicture> taken = std::exchange(done_, std::nullopt);
  if (taken && !(taken->request == request)) taken.reset();
  return taken;
}

// No exception may end the worker thread (and so the program); without a stamp, the picture is
// simply loaded again at its due time.
DecodedPicture DecodeAhead::DecodeCatching(const DecodeRequest& request) {
  try {
    return decode_(request);
  } catch (...) {
    return {request, std::nullopt, std::nullopt};
  }
}

void DecodeAhead::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return stopping_ || queued_.has_value(); });
    if (stopping_) return;
    underWay_ = std::exchange(queued_, std::nullopt);
    done_.reset();  // a newer request makes the finished one stale
    const DecodeRequest request = *underWay_;
    lock.unlock();
    DecodedPicture decoded = DecodeCatching(request);
    lock.lock();
    underWay_.reset();
    if (!std::exchange(staleUnderWay_, false)) done_ = std::move(decoded);
    changed_.notify_all();
    lock.unlock();
    finished_();
    lock.lock();
  }
}

}  // namespace lumiroll
