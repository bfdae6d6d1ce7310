#pragma once
// FolderReader on the real file system.
#include <string>
#include <string_view>
#include <vector>

#include "platform/folder_reader.h"

namespace lumiroll {

// The real file system.
class FileSystemFolderReader : public FolderReader {
 public:
  // The folder's absolute path with every component spelled as on disk, the drive letter in
  // upper case and no trailing "\" except a drive root's; the current folder when the text
  // names no existing folder.
  [[nodiscard]] std::wstring OpenFolder(std::wstring_view folder) const override;
  // The entries directly in the folder; nothing when it cannot be read.
  [[nodiscard]] std::vector<FolderEntry> List(std::wstring_view folder) const override;
};

}  // namespace lumiroll
