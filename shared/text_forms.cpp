#include "shared/text_forms.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace lumiroll {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsLeadingBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n'; }

// The longest prefix of the form [sign] digits [. digits], as ASCII; empty if none.
std::string DecimalPrefix(std::wstring_view text) {
  std::size_t i = 0;
  std::string number;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    if (text[i] == L'-') number += '-';
    ++i;
  }
  bool anyDigit = false;
  while (i < text.size() && IsDigit(text[i])) {
    number += static_cast<char>(text[i++]);
    anyDigit = true;
  }
  if (i + 1 < text.size() && text[i] == L'.' && IsDigit(text[i + 1])) {
    number += '.';
    ++i;
    while (i < text.size() && IsDigit(text[i])) number += static_cast<char>(text[i++]);
    anyDigit = true;
  }
  return anyDigit ? number : std::string();
}

template <typename Int>
Int RoundToInt(double value) {
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= std::numeric_limits<Int>::min() && rounded <= std::numeric_limits<Int>::max())) return 0;
  return static_cast<Int>(rounded);
}

}  // namespace

double NumericReading(std::wstring_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsLeadingBlank(text[start])) ++start;
  const std::string number = DecimalPrefix(text.substr(start));
  if (number.empty()) return 0.0;
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range)
    return number.front() == '-' ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
  return error == std::errc() ? value : 0.0;
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  return std::nearbyint(value);  // the default rounding mode is to nearest, ties to even
}

std::int16_t RoundToInt16(double value) { return RoundToInt<std::int16_t>(value); }
std::int32_t RoundToInt32(double value) { return RoundToInt<std::int32_t>(value); }

std::wstring NumberText(double value) {
  if (!std::isfinite(value)) return L"0";
  char buffer[400];
  // The fewest significant digits (at most 15) that read back as the value, or 15.
  int digits = 15;
  for (int p = 1; p < 15; ++p) {
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, p);
    double back = 0.0;
    std::from_chars(buffer, r.ptr, back);
    if (back == value) {
      digits = p;
      break;
    }
  }
  const int exponent = value == 0.0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(value))));
  const int decimals = std::max(0, digits - 1 - exponent);
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, r.ptr);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") return L"0";
  return std::wstring(text.begin(), text.end());
}

wchar_t UpperCaseChar(wchar_t c) {
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 32);
  if (c < 0xE0) return c == 0xB5 ? wchar_t(0x39C) : c;
  if (c <= 0xFE) return c == 0xF7 ? c : static_cast<wchar_t>(c - 32);
  if (c == 0xFF) return wchar_t(0x178);
  if (c >= 0x100 && c <= 0x17F) {
    const bool evenUpper = (c <= 0x137) || (c >= 0x14A && c <= 0x177);
    if (evenUpper) return (c & 1) ? static_cast<wchar_t>(c - 1) : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : static_cast<wchar_t>(c - 1);
    return c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<wchar_t>(c - 32);
  if (c == 0x3C2) return wchar_t(0x3A3);
  if (c >= 0x430 && c <= 0x44F) return static_cast<wchar_t>(c - 32);
  if (c >= 0x450 && c <= 0x45F) return static_cast<wchar_t>(c - 80);
  return c;
}

wchar_t LowerCaseChar(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE) return c == 0xD7 ? c : static_cast<wchar_t>(c + 32);
  if (c == 0x178) return wchar_t(0xFF);
  if (c >= 0x100 && c <= 0x17F) {
    const bool evenUpper = (c <= 0x137) || (c >= 0x14A && c <= 0x177);
    if (evenUpper) return (c & 1) ? c : static_cast<wchar_t>(c + 1);
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? static_cast<wchar_t>(c + 1) : c;
    return c;
  }
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return static_cast<wchar_t>(c + 32);
  if (c >= 0x410 && c <= 0x42F) return static_cast<wchar_t>(c + 32);
  if (c >= 0x400 && c <= 0x40F) return static_cast<wchar_t>(c + 80);
  return c;
}

std::wstring UpperCase(std::wstring_view text) {
  std::wstring result(text);
  for (auto& c : result) c = UpperCaseChar(c);
  return result;
}

std::wstring LowerCase(std::wstring_view text) {
  std::wstring result(text);
  for (auto& c : result) c = LowerCaseChar(c);
  return result;
}

int CompareIgnoringCase(std::wstring_view a, std::wstring_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const wchar_t x = UpperCaseChar(a[i]);
    const wchar_t y = UpperCaseChar(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::wstring TrimSpaces(std::wstring_view text) {
  const auto first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  const auto last = text.find_last_not_of(L' ');
  return std::wstring(text.substr(first, last - first + 1));
}

}  // namespace lumiroll
