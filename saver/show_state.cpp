#include "saver/show_state.h"

#include <cmath>
#include <limits>

#include "platform/picture.h"
#include "shared/text_forms.h"

namespace lumiroll {
namespace {

// Keys pressed many times within one wait move CurrentImage far; it saturates rather than
// wrapping round to a large positive entry.
std::int16_t LowerBy(std::int16_t value, int amount) {
  const int lowered = value - amount;
  return static_cast<std::int16_t>(
      lowered < std::numeric_limits<std::int16_t>::min() ? std::numeric_limits<std::int16_t>::min() : lowered);
}

}  // namespace

bool SettingsComplete(const Settings& settings) {
  return settings.PhotoDisplayTime != 0.0 && settings.PhotoSize != 0 && settings.PhotoOrder != 0 &&
         settings.PhotoDirectory != kNotConfigured;
}

std::wstring ImagePath(std::wstring_view PhotoDirectory, std::wstring_view name) {
  std::wstring path(PhotoDirectory);
  path += L'\\';
  path += name;
  return path;
}

float ChooseScale(std::int16_t PhotoSize, float previousScale) {
  if (PhotoSize == kFitScreen) return kFitScale;
  if (PhotoSize == kActualSize) return 1.0f;
  return previousScale;
}

bool ShouldPaint(const ShowState& state) {
  return !(state.PhotoDisplayTime == PauseDisplayTime && state.LastKey == kKeyP);
}

std::int32_t DisplayMilliseconds(double PhotoDisplayTime) {
  const double milliseconds = RoundHalfEven(PhotoDisplayTime * 1000.0);
  if (std::isnan(milliseconds)) return 0;
  constexpr auto lowest = std::numeric_limits<std::int32_t>::min();
  constexpr auto highest = std::numeric_limits<std::int32_t>::max();
  if (milliseconds <= lowest) return lowest;
  if (milliseconds >= highest) return highest;
  return static_cast<std::int32_t>(milliseconds);
}

void AdvanceImage(ShowState& state, std::int16_t ImageCount) {
  const int next = state.CurrentImage + 1;
  state.CurrentImage = (next > ImageCount || next < 1) ? std::int16_t{1} : static_cast<std::int16_t>(next);
}

KeyAction picture2_KeyDown(ShowState& state, std::uint16_t keyCode, const StoredDisplayTime& storedDisplayTime) {
  state.LastKey = keyCode;
  switch (keyCode) {
    case kKeyP:
      if (state.PhotoDisplayTime == PauseDisplayTime) {
        state.PhotoDisplayTime = storedDisplayTime();
      } else {
        state.PhotoDisplayTime = PauseDisplayTime;
        // The advance after the wait brings the show back to the same picture.
        state.CurrentImage = LowerBy(state.CurrentImage, 1);
      }
      state.SkipWait = 1;
      return KeyAction::None;
    case kKeyUp: state.SkipWait = 1; return KeyAction::None;
    case kKeyDown:
      state.CurrentImage = LowerBy(state.CurrentImage, 2);
      state.SkipWait = 1;
      return KeyAction::None;
    case kKeyE: return KeyAction::ShowThankYou;
    default: return KeyAction::CloseRequest;
  }
}

bool picture2_MouseMove(ShowState& state, float x, float y) {
  const bool nothingRecorded = state.MouseRefX == 0.0f && state.MouseRefY == 0.0f;
  if (state.ResetMouse || nothingRecorded) {
    state.ResetMouse = false;
    state.MouseRefX = x;
    state.MouseRefY = y;
    return false;
  }
  return x != state.MouseRefX || y != state.MouseRefY;
}

}  // namespace lumiroll
