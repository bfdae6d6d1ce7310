#pragma once
// The file system as the folder list and the drive list see it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "saver/image_list.h"

namespace lumiroll {

// The folder's absolute path, spelled as on disk, when it exists and can be listed; nothing
// otherwise (no such folder, a drive that is not ready). "d:" means drive D's current folder.
[[nodiscard]] std::optional<std::wstring> OpenableFolder(std::wstring_view folder);

// Everything directly in the folder; empty when it cannot be read.
[[nodiscard]] std::vector<FolderEntry> ReadFolderEntries(std::wstring_view folder);

struct DriveChoice {
  wchar_t letter;     // upper case
  std::wstring text;  // what the drive list shows
};
[[nodiscard]] std::vector<DriveChoice> ListDrives();

}  // namespace lumiroll
