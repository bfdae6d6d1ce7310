#pragma once
// Reads one registry value as ANSI text, the way the desktop's own settings are read.
#include <cstdint>
#include <string>

namespace lumiroll {

// HKEY_CURRENT_USER as the 32-bit root number ReadRegistryValue takes.
inline constexpr std::uint32_t kCurrentUserRoot = 0x80000001u;

// The value as text (see RegistryValueText); the empty text when the root is not one of the
// seven predefined ones, the key or value is missing, or the value is longer than 255 bytes.
[[nodiscard]] std::string ReadRegistryValue(std::uint32_t root, const std::string& subkey,
                                            const std::string& valueName);

}  // namespace lumiroll
