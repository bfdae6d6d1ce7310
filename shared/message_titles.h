#pragma once
// The titles of the message boxes all three programs show.
#include <string_view>

namespace lumiroll {

inline constexpr std::wstring_view kErrorTitle = L"Lumiroll Error";
inline constexpr std::wstring_view kWarningTitle = L"Lumiroll Warning";

}  // namespace lumiroll
