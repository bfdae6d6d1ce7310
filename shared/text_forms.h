#pragma once
// Text forms shared by all three programs: how numbers are read from and written to the
// settings store, and the letter-case rules used wherever names are compared.
#include <cstdint>
#include <string>
#include <string_view>

namespace lumiroll {

// Leading blanks, tabs and line feeds skipped, then the longest decimal number (sign, digits,
// point, digits); 0 when the text does not start with one. Never fails.
[[nodiscard]] double NumericReading(std::wstring_view text);

// Nearest whole number, a half going to the even neighbour.
[[nodiscard]] double RoundHalfEven(double value);
// As above; a value outside the type's range (or not a number) gives 0.
[[nodiscard]] std::int16_t RoundToInt16(double value);
[[nodiscard]] std::int32_t RoundToInt32(double value);

// Whole numbers plain ("5"); others with a point and only the digits needed, at most 15
// significant digits ("2.5"). Never an exponent, never a comma, whatever the locale.
[[nodiscard]] std::wstring NumberText(double value);

// Simple (one-to-one) case mapping for ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic:
// the letters file names are written in. Other characters are returned unchanged.
[[nodiscard]] wchar_t UpperCaseChar(wchar_t c);
[[nodiscard]] wchar_t LowerCaseChar(wchar_t c);
[[nodiscard]] std::wstring UpperCase(std::wstring_view text);
[[nodiscard]] std::wstring LowerCase(std::wstring_view text);
// Compares without regard to letter case: negative, 0 or positive.
[[nodiscard]] int CompareIgnoringCase(std::wstring_view a, std::wstring_view b);

// Removes leading and trailing spaces (only spaces, not tabs).
[[nodiscard]] std::wstring TrimSpaces(std::wstring_view text);

}  // namespace lumiroll
