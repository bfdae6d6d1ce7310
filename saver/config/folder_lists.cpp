#include "saver/config/folder_lists.h"

#include "saver/config/drive_letters.h"
#include "saver/image_list.h"

namespace lumiroll {
namespace {

// One listing gives both the rows and the files.
void ListInto(const FolderBrowsing& disk, FolderListing& listing) {
  const std::vector<FolderEntry> entries = disk.Entries(*listing.open);
  listing.rows = FolderRows(*listing.open, entries);
  listing.files = MatchingFiles(entries, ImagePattern);
}

}  // namespace

FolderListing ListFolder(const FolderBrowsing& disk, std::wstring_view folder) {
  FolderListing listing;
  listing.open = disk.OpenableFolder(folder);
  if (listing.open) ListInto(disk, listing);
  return listing;
}

FolderListing ListFirstFolder(const FolderBrowsing& disk, std::wstring_view stored, std::wstring_view startFolder) {
  FolderListing listing = ListFolder(disk, stored);
  if (listing.open) return listing;
  listing.open = disk.OpenableFolder(startFolder).value_or(std::wstring(startFolder));
  ListInto(disk, listing);
  return listing;
}

FolderLists::FolderLists(std::wstring startFolder, std::wstring askedFirst)
    : open_(std::move(startFolder)), asked_(std::move(askedFirst)) {}

bool FolderLists::Take(FolderListing listing) {
  asked_.reset();
  if (!listing.open || (listed_ && *listing.open == open_)) return false;
  listed_ = true;
  open_ = std::move(*listing.open);
  rows_ = std::move(listing.rows);
  files_ = std::move(listing.files);
  return true;
}

const std::vector<FolderEntry>& FolderLists::ChosenFiles() const {
  static const std::vector<FolderEntry> none;
  return asked_ ? none : files_;
}

std::optional<std::wstring> FolderLists::RowFolder(std::size_t row) const {
  if (row >= rows_.size()) return std::nullopt;
  return rows_[row].path;
}

std::optional<std::wstring> FolderLists::DriveFolder(std::size_t drive) const {
  if (drive >= drives_.size()) return std::nullopt;
  return std::wstring{drives_[drive].letter, L':'};
}

std::optional<std::size_t> FolderLists::ShownDrive(wchar_t startingDrive) const {
  std::vector<wchar_t> letters;
  for (const DriveChoice& drive : drives_) letters.push_back(drive.letter);
  const wchar_t shown = DriveToShow(ChosenFolder(), letters, startingDrive);
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
