#pragma once
// The one warning OK gives, after saving, about image files too large to show quickly.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shared/message_titles.h"

namespace lumiroll {

enum class LargeImageWarning { None, Bmp, JpgOrGif };

// A file's size in bytes; nothing when it can no longer be measured.
using FileSizeReader = std::function<std::optional<std::uint64_t>(const std::wstring& path)>;

// The warning for the first too-large file in list order. Sizes are 64-bit so that a file over
// 2 GB counts as large; a file that cannot be measured (removed meanwhile) is skipped.
[[nodiscard]] LargeImageWarning FindLargeImage(std::wstring_view folder, const std::vector<std::wstring>& fileNames,
                                               const FileSizeReader& sizeOf);

// The message text; empty for None.
[[nodiscard]] std::wstring_view LargeImageWarningText(LargeImageWarning warning);

// The folder, one backslash and the name, whether or not the folder already ends in one.
[[nodiscard]] std::wstring FileInFolder(std::wstring_view folder, std::wstring_view name);

}  // namespace lumiroll
