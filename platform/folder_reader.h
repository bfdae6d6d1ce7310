#pragma once
// Folder listings: what the image list and the settings dialog's file list need of the file
// system, behind an interface so their decisions can be tested without a disk.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumiroll {

// One entry of a folder listing, as the file system reports it.
struct FolderEntry {
  std::wstring name;
  bool isFolder = false;
  bool hidden = false;
  bool system = false;
  std::uint64_t size = 0;   // in bytes, for a file
  bool onlineOnly = false;  // a cloud's placeholder: reading it downloads it
};

// What the image list and the folder list need of the file system.
class FolderReader {
 public:
  virtual ~FolderReader() = default;
  // The folder's absolute path as the file system spells it, or, when it cannot be opened,
  // the process's current folder (the folder list stays where it was).
  [[nodiscard]] virtual std::wstring OpenFolder(std::wstring_view folder) const = 0;
  [[nodiscard]] virtual std::vector<FolderEntry> List(std::wstring_view folder) const = 0;
};

}  // namespace lumiroll
