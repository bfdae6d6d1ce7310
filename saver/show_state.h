#pragma once
// The slide show's state and the decisions taken on it: what the loop paints and how long it
// waits, and what each key and pointer movement does. The window only carries them out.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"

namespace lumiroll {

// While the show is paused PhotoDisplayTime holds exactly this; a configured time (1 to 99 s)
// never equals it.
inline constexpr double PauseDisplayTime = 555.0;

// Virtual-key codes of the keys that steer the show.
inline constexpr std::uint16_t kKeyP = 80, kKeyE = 69, kKeyUp = 38, kKeyDown = 40;

struct ShowState {
  std::int16_t CurrentImage = 0;  // entry of ImageNames, from 1
  std::int16_t SkipWait = 0;      // non-zero ends the wait in progress
  std::uint16_t LastKey = 0;      // 0 until the first key
  double PhotoDisplayTime = 0.0;  // seconds; PauseDisplayTime while paused
  bool ResetMouse = false;        // the next pointer event only records a reference
  float MouseRefX = 0.0f;         // (0, 0) counts as nothing recorded
  float MouseRefY = 0.0f;
};

// The show needs all four settings; a not-configured one opens the settings dialog instead.
[[nodiscard]] bool SettingsComplete(const Settings& settings);

// The path the loop loads: the folder, "\" and the name, even when the folder ends with "\".
[[nodiscard]] std::wstring ImagePath(std::wstring_view PhotoDirectory, std::wstring_view name);

// 0 (fit) for Fit Screen, 1.0 for Actual Size; any other PhotoSize keeps the previous scale.
[[nodiscard]] float ChooseScale(std::int16_t PhotoSize, float previousScale);

// Nothing is painted while paused with P as the last key: the paused picture stays.
[[nodiscard]] bool ShouldPaint(const ShowState& state);

// Seconds to whole milliseconds, nearest with halves to even; beyond the 32-bit range the
// nearest limit, not a number 0.
[[nodiscard]] std::int32_t DisplayMilliseconds(double PhotoDisplayTime);

// The advance after each wait, back to 1 past either end.
void AdvanceImage(ShowState& state, std::int16_t ImageCount);

enum class KeyAction { None, CloseRequest, ShowThankYou };

// The stored display time, read afresh from the settings store when P resumes the show.
using StoredDisplayTime = std::function<double()>;

// One key down on the show surface; the shift state does not count.
[[nodiscard]] KeyAction picture2_KeyDown(ShowState& state, std::uint16_t keyCode,
                                         const StoredDisplayTime& storedDisplayTime);

// One pointer event at (x, y) on the show surface; true when it asks to close.
[[nodiscard]] bool picture2_MouseMove(ShowState& state, float x, float y);

}  // namespace lumiroll
