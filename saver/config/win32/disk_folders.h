#pragma once
// The file system as the folder list and the drive list see it.
#include "saver/config/folder_lists.h"

namespace lumiroll {

class DiskFolders final : public FolderBrowsing {
 public:
  [[nodiscard]] std::optional<std::wstring> OpenableFolder(std::wstring_view folder) const override;
  [[nodiscard]] std::vector<FolderEntry> Entries(std::wstring_view folder) const override;
  [[nodiscard]] std::vector<DriveChoice> Drives() const override;
};

}  // namespace lumiroll
