#include "saver/show_engine.h"

#include "saver/timed_wait.h"

namespace lumiroll {

ShowEngine::ShowEngine(ShowState& state, std::int16_t ImageCount, std::int16_t PhotoSize)
    : state_(state), imageCount_(ImageCount), photoSize_(PhotoSize) {}

// Before the first cycle nothing is shown: the advance from 0 gives the first picture, and a key
// pressed before it is ready acts on that position as on any other.
void ShowEngine::Begin(std::uint32_t now) {
  running_ = true;
  cycleTaken_ = false;
  state_.CurrentImage = 0;
  state_.SkipWait = 0;
  waitStart_ = now;
  waitMilliseconds_ = 0;
}

void ShowEngine::StartWait(std::uint32_t now) {
  waitStart_ = now;
  waitMilliseconds_ = DisplayMilliseconds(state_.PhotoDisplayTime);
}

bool ShowEngine::WaitOver(std::uint32_t now) const {
  if (!running_ || !displayOn_) return false;
  return state_.SkipWait != 0 || waitMilliseconds_ <= ElapsedMilliseconds(waitStart_, now);
}

std::uint32_t ShowEngine::BlockFor(std::uint32_t now) const {
  if (!running_ || !displayOn_) return kWaitForever;
  if (state_.SkipWait != 0) return 0;
  return TimeLeft(waitMilliseconds_, ElapsedMilliseconds(waitStart_, now));
}

ShowCycle ShowEngine::Next() {
  state_.SkipWait = 0;
  AdvanceImage(state_, imageCount_);
  cycleTaken_ = true;
  return CycleFor(state_);
}

void ShowEngine::SetDisplayOn(bool on) {
  const bool cameOn = on && !displayOn_;
  displayOn_ = on;
  if (cameOn) Hurry();
}

void ShowEngine::Hurry() {
  if (Ahead().paint) state_.SkipWait = 1;
}

// A paused picture is not repainted by a cycle: it stays as the window repainted it.
void ShowEngine::Repeat(std::uint32_t now) {
  if (!cycleTaken_ || WaitOver(now) || !ShouldPaint(state_)) return;
  state_.CurrentImage = static_cast<std::int16_t>(state_.CurrentImage - 1);
  state_.SkipWait = 1;
}

ShowCycle ShowEngine::Ahead() const {
  ShowState next = state_;
  AdvanceImage(next, imageCount_);
  return {next.CurrentImage, ChooseScale(photoSize_, scale_), ShouldPaint(next)};
}

ShowCycle ShowEngine::Behind() const {
  ShowState back = state_;
  (void)picture2_KeyDown(back, kKeyDown, [] { return 0.0; });
  AdvanceImage(back, imageCount_);
  return {back.CurrentImage, ChooseScale(photoSize_, scale_), ShouldPaint(back)};
}

ShowCycle ShowEngine::CycleFor(const ShowState& state) {
  scale_ = ChooseScale(photoSize_, scale_);
  return {state.CurrentImage, scale_, ShouldPaint(state)};
}

}  // namespace lumiroll
