#include "saver/config/delay_check.h"

#include "shared/text_forms.h"

namespace lumiroll {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::wstring_view WithoutSurroundingBlanks(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

bool IsNumericText(std::wstring_view text) {
  text = WithoutSurroundingBlanks(text);
  if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) text.remove_prefix(1);
  bool anyDigit = false;
  bool seenPoint = false;
  for (const wchar_t c : text) {
    if (IsDigit(c)) {
      anyDigit = true;
    } else if (c == L'.' && !seenPoint) {
      seenPoint = true;
    } else {
      return false;
    }
  }
  return anyDigit;
}

DelayVerdict CheckPhotoDelay(std::wstring_view text) {
  if (!IsNumericText(text)) return {false, kDelayNotNumericMessage, 0.0};
  const double seconds = NumericReading(WithoutSurroundingBlanks(text));
  if (seconds < 1.0 || seconds > 99.0) return {false, kDelayOutOfRangeMessage, 0.0};
  return {true, {}, seconds};
}

}  // namespace lumiroll
