#pragma once
// What the registry delivered for a value, turned into the text the screen saver reads from
// it. The values concerned (the desktop's password flag) are ASCII, read with the A functions,
// so a value arrives here as its raw bytes.
#include <cstdint>
#include <string>
#include <string_view>

namespace lumiroll {

inline constexpr std::uint32_t kRegDword = 4;

// HKEY_CLASSES_ROOT (0x80000000) to HKEY_DYN_DATA (0x80000006); nothing else is read.
[[nodiscard]] bool IsPredefinedRoot(std::uint32_t root);

// A REG_DWORD as its number with at least three digits, cut to the first three ("001",
// "025", "100" for 1000); any other type as its bytes less the last (a string's terminator).
[[nodiscard]] std::string RegistryValueText(std::uint32_t type, std::string_view delivered);

// The desktop's protection flag as Form1 keeps it: the text's numeric reading, rounded.
// Only 1 means protection on.
[[nodiscard]] std::int16_t UsePasswordFromText(std::string_view text);

}  // namespace lumiroll
