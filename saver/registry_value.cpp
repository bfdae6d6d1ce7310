#include "saver/registry_value.h"

#include "shared/text_forms.h"

namespace lumiroll {
namespace {

// Least significant byte first; bytes the value lacks count as zero.
std::uint32_t LittleEndianNumber(std::string_view bytes) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i)
    number |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return number;
}

std::string AtLeastThreeDigits(std::uint32_t number) {
  std::string digits = std::to_string(number);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return digits;
}

// Each byte is one character of the ANSI text.
std::wstring Widened(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char byte : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
  return text;
}

}  // namespace

bool IsPredefinedRoot(std::uint32_t root) { return root >= 0x80000000u && root <= 0x80000006u; }

std::string RegistryValueText(std::uint32_t type, std::string_view delivered) {
  if (type == kRegDword) return AtLeastThreeDigits(LittleEndianNumber(delivered)).substr(0, 3);
  if (delivered.empty()) return {};
  return std::string(delivered.substr(0, delivered.size() - 1));
}

std::int16_t UsePasswordFromText(std::string_view text) { return RoundToInt16(NumericReading(Widened(text))); }

}  // namespace lumiroll
