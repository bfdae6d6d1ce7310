#pragma once
// Dir1, File1 and Drive1 kept in step: the folder the folder list has open and its rows, the
// image files in that folder with their sizes as listed, and the drives. The file system comes
// through FolderBrowsing, so that a test can hand these decisions a fake disk. A listing can take
// any time (a share that stopped answering), so it is made apart from the lists (ListFolder, on a
// worker) and the lists take its result when it comes; until then they show what they showed.
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

// One folder opened and listed once: its rows and its image files. Without an open folder when
// it cannot be opened.
struct FolderListing {
  std::optional<std::wstring> open;
  std::vector<FolderRow> rows;
  std::vector<FolderEntry> files;
};
[[nodiscard]] FolderListing ListFolder(const FolderBrowsing& disk, std::wstring_view folder);
// The dialog's first listing: the stored folder, or else the start folder, shown even when it
// cannot be opened.
[[nodiscard]] FolderListing ListFirstFolder(const FolderBrowsing& disk, std::wstring_view stored,
                                            std::wstring_view startFolder);

class FolderLists {
 public:
  // Nothing is listed yet; the folder asked first counts as chosen until its listing comes.
  FolderLists(std::wstring startFolder, std::wstring askedFirst);

  // A listing asked for: the folder it is to open (an absolute path, or the stored text) counts as
  // the one chosen until its listing comes.
  void Asked(std::wstring folder) { asked_ = std::move(folder); }
  // The newest listing has come. True when the lists are to show it, which is Dir1_Change: the
  // first listing, or one that opened another folder. Otherwise the lists stay.
  [[nodiscard]] bool Take(FolderListing listing);
  [[nodiscard]] bool Listing() const { return asked_.has_value(); }

  // The folder OK saves and the files its large-image check looks at: while a listing is under way,
  // the folder it is to open, and no file yet.
  [[nodiscard]] const std::wstring& ChosenFolder() const { return asked_ ? *asked_ : open_; }
  [[nodiscard]] const std::vector<FolderEntry>& ChosenFiles() const;

  // The folder a highlighted row opens, and a drive's current folder ("d:").
  [[nodiscard]] std::optional<std::wstring> RowFolder(std::size_t row) const;
  [[nodiscard]] std::optional<std::wstring> DriveFolder(std::size_t drive) const;

  // Drive1 anew, from a listing of the drives.
  void TakeDrives(std::vector<DriveChoice> drives) { drives_ = std::move(drives); }
  // The drive to show: the chosen folder's when it is listed, otherwise the one the list started
  // on; nothing when neither is listed.
  [[nodiscard]] std::optional<std::size_t> ShownDrive(wchar_t startingDrive) const;

  [[nodiscard]] const std::wstring& OpenFolder() const { return open_; }
  [[nodiscard]] const std::vector<FolderRow>& Rows() const { return rows_; }
  [[nodiscard]] std::size_t OpenRowIndex() const;
  // Rows from the root down to the open folder are drawn open.
  [[nodiscard]] bool OnOpenPath(std::size_t row) const { return row <= OpenRowIndex(); }
  [[nodiscard]] const std::vector<FolderEntry>& Files() const { return files_; }
  [[nodiscard]] const std::vector<DriveChoice>& Drives() const { return drives_; }

 private:
  std::wstring open_;
  std::optional<std::wstring> asked_;
  bool listed_ = false;
  std::vector<FolderRow> rows_;
  std::vector<FolderEntry> files_;
  std::vector<DriveChoice> drives_;
};

}  // namespace lumiroll
