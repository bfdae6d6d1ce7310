#include "saver/config/folder_lists.h"

#include "saver/config/dialog_start.h"
#include "saver/image_list.h"

namespace lumiroll {

FolderLists::FolderLists(const FolderBrowsing& disk, std::wstring_view startFolder)
    : disk_(disk), open_(disk.OpenableFolder(startFolder).value_or(std::wstring(startFolder))) {
  rows_ = FolderRows(open_, disk_.Entries(open_));
}

bool FolderLists::Open(std::wstring_view folder) {
  std::optional<std::wstring> opened = disk_.OpenableFolder(folder);
  if (!opened || *opened == open_) return false;
  open_ = std::move(*opened);
  rows_ = FolderRows(open_, disk_.Entries(open_));
  return true;
}

bool FolderLists::OpenRow(std::size_t row) {
  if (row >= rows_.size()) return false;
  const std::wstring path = rows_[row].path;  // Open replaces the rows
  return Open(path);
}

bool FolderLists::OpenDrive(std::size_t drive) {
  if (drive >= drives_.size()) return false;
  const wchar_t current[] = {drives_[drive].letter, L':', L'\0'};
  return Open(current);
}

void FolderLists::ListFiles() { files_ = MatchingFiles(disk_.Entries(open_), ImagePattern); }

std::optional<std::size_t> FolderLists::ListDrives(wchar_t startingDrive) {
  drives_ = disk_.Drives();
  std::vector<wchar_t> letters;
  for (const DriveChoice& drive : drives_) letters.push_back(drive.letter);
  const wchar_t shown = DriveToShow(open_, letters, startingDrive);
  for (std::size_t i = 0; i < letters.size(); ++i)
    if (letters[i] == shown) return i;
  return std::nullopt;
}

std::size_t FolderLists::OpenRowIndex() const {
  for (std::size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].open) return i;
  return 0;
}

}  // namespace lumiroll
