#include "saver/picture_feed.h"

#include <algorithm>
#include <utility>

namespace lumiroll {

PictureFeed::PictureFeed(ShowEngine& engine, BackgroundLoader& loader, RequestFor requestFor)
    : engine_(engine), loader_(loader), requestFor_(std::move(requestFor)) {}

std::optional<ReadyCycle> PictureFeed::TakeDue() {
  Collect();                     // what finished before the due time is checked against its file, not taken as is
  if (!engine_.Ahead().paint) {  // paused: nothing is painted, nothing needs loading
    due_.reset();
    ready_.reset();
    current_ = engine_.Next();
    return ReadyCycle{*current_, nullptr};
  }
  if (!SkipUnavailable()) return std::nullopt;
  const ShowCycle due = engine_.Ahead();
  const DecodeRequest request = requestFor_(due);
  if (due_ != request) {
    due_ = request;
    ready_ = GivenUpAhead(request);
    if (!ready_) {
      loader_.Request(request, Kept(request));
      Collect();
    }
  }
  if (!ready_) return std::nullopt;
  due_.reset();
  // A file given up counts as failed once, at its due time; it is read afresh the next time round.
  if (ready_->givenUp) std::erase(kept_, ready_);
  current_ = engine_.Next();
  return ReadyCycle{*current_, std::exchange(ready_, nullptr)};
}

void PictureFeed::Painted(std::uint32_t now) {
  engine_.StartWait(now);
  const DecodeRequest ahead = requestFor_(engine_.Ahead());
  const DecodeRequest wanted[] = {requestFor_(*current_), ahead, requestFor_(engine_.Behind())};
  std::erase_if(kept_, [&](const std::shared_ptr<const DecodedPicture>& decoded) {
    return std::find(std::begin(wanted), std::end(wanted), decoded->request) == std::end(wanted);
  });
  if (!Kept(ahead)) loader_.Request(ahead);
}

bool PictureFeed::SkipUnavailable() {
  if (!available_) return true;
  const std::int16_t first = engine_.Ahead().image;
  do {
    if (available_(engine_.Ahead().image)) return true;
    (void)engine_.Next();
  } while (engine_.Ahead().image != first);
  return false;
}

void PictureFeed::Collect() {
  while (std::shared_ptr<const DecodedPicture> decoded = loader_.TakeFinished()) {
    std::erase_if(kept_, [&](const auto& old) { return old->request == decoded->request; });
    kept_.push_back(decoded);
    if (due_ && decoded->request == *due_) ready_ = std::move(decoded);
  }
}

// A read ahead given up during the display time is not waited for a second time at its due time.
std::shared_ptr<const DecodedPicture> PictureFeed::GivenUpAhead(const DecodeRequest& request) const {
  std::shared_ptr<const DecodedPicture> kept = Kept(request);
  return kept && kept->givenUp ? kept : nullptr;
}

std::shared_ptr<const DecodedPicture> PictureFeed::Kept(const DecodeRequest& request) const {
  const auto found =
      std::find_if(kept_.begin(), kept_.end(), [&](const auto& decoded) { return decoded->request == request; });
  return found == kept_.end() ? nullptr : *found;
}

}  // namespace lumiroll
