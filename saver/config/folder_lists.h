#pragma once
// Dir1, File1 and Drive1 kept in step: the folder the folder list has open and its rows, the
// image files in that folder with their sizes as listed, and the drives. The file system comes
// through FolderBrowsing, so that a test can hand these decisions a fake disk.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/folder_reader.h"
#include "saver/config/folder_rows.h"

namespace lumiroll {

struct DriveChoice {
  wchar_t letter;     // upper case
  std::wstring text;  // what the drive list shows
};

class FolderBrowsing {
 public:
  virtual ~FolderBrowsing() = default;
  // The folder's absolute path, spelled as on disk, when it exists and can be listed; nothing
  // otherwise (no such folder, a drive that is not ready). "d:" means drive D's current folder.
  [[nodiscard]] virtual std::optional<std::wstring> OpenableFolder(std::wstring_view folder) const = 0;
  // Everything directly in the folder; empty when it cannot be read.
  [[nodiscard]] virtual std::vector<FolderEntry> Entries(std::wstring_view folder) const = 0;
  [[nodiscard]] virtual std::vector<DriveChoice> Drives() const = 0;
};

class FolderLists {
 public:
  // The folder list starts on the start folder (the program's current one).
  FolderLists(const FolderBrowsing& disk, std::wstring_view startFolder);

  // Each opens a folder in the folder list. True when the list moved to another folder, which
  // is Dir1_Change; false when it is the same folder or cannot be opened: the list stays.
  [[nodiscard]] bool Open(std::wstring_view folder);
  [[nodiscard]] bool OpenRow(std::size_t row);  // a highlighted row, by Enter or a double click
  [[nodiscard]] bool OpenDrive(std::size_t drive);  // the drive's current folder

  // File1 anew: the image files of the open folder, by name.
  void ListFiles();
  // Drive1 anew. The drive to show: the open folder's when it is listed, otherwise the one the
  // list started on; nothing when neither is listed.
  [[nodiscard]] std::optional<std::size_t> ListDrives(wchar_t startingDrive);

  [[nodiscard]] const std::wstring& OpenFolder() const { return open_; }
  [[nodiscard]] const std::vector<FolderRow>& Rows() const { return rows_; }
  [[nodiscard]] std::size_t OpenRowIndex() const;
  // Rows from the root down to the open folder are drawn open.
  [[nodiscard]] bool OnOpenPath(std::size_t row) const { return row <= OpenRowIndex(); }
  [[nodiscard]] const std::vector<FolderEntry>& Files() const { return files_; }
  [[nodiscard]] const std::vector<DriveChoice>& Drives() const { return drives_; }

 private:
  const FolderBrowsing& disk_;
  std::wstring open_;
  std::vector<FolderRow> rows_;
  std::vector<FolderEntry> files_;
  std::vector<DriveChoice> drives_;
};

}  // namespace lumiroll
