#pragma once
// The file system as the image list and the settings dialog's file list read it.
#include "saver/image_list.h"

namespace lumiroll {

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
