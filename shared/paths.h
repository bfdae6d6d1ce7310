#pragma once
#include <string>
#include <string_view>

namespace lumiroll {

// A folder name followed by a name that begins with a backslash. A folder that already ends
// with a separator (a drive root such as "C:\") gives no doubled separator.
[[nodiscard]] std::wstring JoinPath(std::wstring_view folder, std::wstring_view backslashName);

}  // namespace lumiroll
