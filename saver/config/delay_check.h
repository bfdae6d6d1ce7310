#pragma once
// The checks OK makes on the delay text before anything is stored.
#include <string>
#include <string_view>

#include "shared/message_titles.h"

namespace lumiroll {

inline constexpr std::wstring_view kDelayNotNumericMessage = L"Photo Delay must be numeric.";
inline constexpr std::wstring_view kDelayOutOfRangeMessage = L"Photo Delay must be a number from 1 to 99.";

// Blanks around, one leading sign, digits with at most one decimal point, at least one digit.
// Locale-free on purpose: the dialog must accept "2.5" on every desktop.
[[nodiscard]] bool IsNumericText(std::wstring_view text);

struct DelayVerdict {
  bool accepted = false;
  std::wstring_view message;  // empty when accepted
  double seconds = 0.0;       // the text's value when accepted
};

// The numeric check first, then the range 1 to 99 (both bounds allowed).
[[nodiscard]] DelayVerdict CheckPhotoDelay(std::wstring_view text);

}  // namespace lumiroll
