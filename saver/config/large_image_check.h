#pragma once
// The one warning OK gives, after saving, about image files too large to show quickly.
#include <string>
#include <string_view>
#include <vector>

#include "platform/folder_reader.h"
#include "shared/message_titles.h"

namespace lumiroll {

enum class LargeImageWarning { None, Bmp, JpgOrGif };

// The warning for the first too-large file in list order, by the sizes the folder listing gave:
// no file is opened or measured again, so a folder on a share that stopped answering cannot hold
// OK up. Sizes are 64-bit so that a file over 2 GB counts as large.
[[nodiscard]] LargeImageWarning FindLargeImage(const std::vector<FolderEntry>& files);

// The message text; empty for None.
[[nodiscard]] std::wstring_view LargeImageWarningText(LargeImageWarning warning);

}  // namespace lumiroll
