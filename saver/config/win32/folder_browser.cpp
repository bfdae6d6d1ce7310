#include "saver/config/win32/folder_browser.h"

#include <utility>

#include "platform/process.h"
#include "platform/win32/file_system.h"
#include "saver/config/drive_letters.h"
#include "saver/config/win32/disk_folders.h"
#include "saver/config/win32/folder_list_drawing.h"
#include "saver/show_state.h"

namespace lumiroll {
namespace {

constexpr UINT kFolderListed = WM_APP + 1;
constexpr UINT kDrivesListed = WM_APP + 2;

}  // namespace

FolderBrowser::FolderBrowser(std::function<void(const std::optional<ChosenFile>&)> chosen)
    : chosen_(std::move(chosen)) {}

void FolderBrowser::Attach(HWND dialog, ControlCallbacks& callbacks) {
  Dir1.Attach(dialog);
  File1.Attach(dialog);
  Drive1.Attach(dialog);
  folderListing_.emplace([dialog] { ::PostMessageW(dialog, kFolderListed, 0, 0); });
  driveListing_.emplace([dialog] { ::PostMessageW(dialog, kDrivesListed, 0, 0); });
  Dir1.OnDoubleClick(callbacks, [this] { OpenHighlightedFolder(); });
  Drive1.OnSelectionChange(callbacks, [this] { Drive1_Change(); });
  File1.OnSelectionChange(callbacks, [this] { File1_Click(); });
}

void FolderBrowser::Start(const std::wstring& storedFolder) {
  const std::wstring startFolder = CurrentFolder();
  startingDrive_ = DriveOfPath(startFolder).value_or(L'C');
  folders_.emplace(startFolder, FullPathName(storedFolder).value_or(storedFolder));
  folderListing_->Request(
      [storedFolder, startFolder] { return ListFirstFolder(DiskFolders(), storedFolder, startFolder); });
  driveListing_->Request([] { return DiskFolders().Drives(); });
}

std::optional<LRESULT> FolderBrowser::HandleMessage(UINT message, LPARAM lParam, UINT dpi) {
  switch (message) {
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(FolderRowHeight(dpi));
      return TRUE;
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), dpi); return TRUE;
    case kFolderListed: OnFolderListed(); return 0;
    case kDrivesListed: OnDrivesListed(); return 0;
    default: return std::nullopt;
  }
}

void FolderBrowser::OnDpiChanged(UINT dpi) { Dir1.SetRowHeight(FolderRowHeight(dpi)); }

bool FolderBrowser::OpenOnEnter() {
  if (::GetFocus() != Dir1.hwnd()) return false;
  OpenHighlightedFolder();
  return true;
}

void FolderBrowser::OnDrawItem(const DRAWITEMSTRUCT& item, UINT dpi) const {
  if (item.CtlID != kIdDir1 || !folders_ || item.itemID >= folders_->Rows().size()) return;
  DrawFolderRow(item, folders_->Rows()[item.itemID], folders_->OnOpenPath(item.itemID), dpi);
}

void FolderBrowser::OpenFolderLater(const std::wstring& folder) {
  folders_->Asked(FullPathName(folder).value_or(folder));  // what OK saves meanwhile
  folderListing_->Request([folder] { return ListFolder(DiskFolders(), folder); });
}

// Only the newest listing's result comes: an older one is dropped on its worker.
void FolderBrowser::OnFolderListed() {
  std::optional<FolderListing> listing = folderListing_->TakeFinished();
  if (!listing || !folders_->Take(std::move(*listing))) return;
  ShowFolderRows();
  // The drive list follows without running Drive1_Change, so the folder list stays on the
  // stored folder even when it lies on another drive.
  SelectShownDrive();
  Dir1_Change();
}

void FolderBrowser::OnDrivesListed() {
  std::optional<std::vector<DriveChoice>> drives = driveListing_->TakeFinished();
  if (!drives) return;
  folders_->TakeDrives(std::move(*drives));
  std::vector<std::wstring> texts;
  for (const DriveChoice& drive : folders_->Drives()) texts.push_back(drive.text);
  Drive1.Fill(texts);
  SelectShownDrive();
}

void FolderBrowser::SelectShownDrive() {
  if (const std::optional<std::size_t> shown = folders_->ShownDrive(startingDrive_)) Drive1.Select(*shown);
}

void FolderBrowser::ShowFolderRows() {
  std::vector<std::wstring> texts;
  for (const FolderRow& row : folders_->Rows()) texts.push_back(row.text);
  Dir1.Fill(texts);
  Dir1.Select(folders_->OpenRowIndex());
}

void FolderBrowser::OpenHighlightedFolder() {
  const std::optional<std::size_t> row = Dir1.Selected();
  if (const std::optional<std::wstring> folder = row ? folders_->RowFolder(*row) : std::nullopt)
    OpenFolderLater(*folder);
}

void FolderBrowser::SelectFirstFile() {
  const std::vector<FolderEntry>& files = folders_->Files();
  if (!files.empty()) File1.Select(0);
  // An online-only file is read, and so downloaded, only when the user chooses it.
  if (files.empty() || files.front().onlineOnly) return chosen_(std::nullopt);
  File1_Click();
}

// A drive that is not ready leaves Dir1 where it was, once its listing says so.
void FolderBrowser::Drive1_Change() {
  const std::optional<std::size_t> chosen = Drive1.Selected();
  if (const std::optional<std::wstring> folder = chosen ? folders_->DriveFolder(*chosen) : std::nullopt)
    OpenFolderLater(*folder);
}

void FolderBrowser::Dir1_Change() {
  std::vector<std::wstring> names;
  for (const FolderEntry& file : folders_->Files()) names.push_back(file.name);
  File1.Fill(names);
  SelectFirstFile();
}

void FolderBrowser::File1_Click() {
  const std::vector<FolderEntry>& files = folders_->Files();
  const std::optional<std::size_t> selected = File1.Selected();
  if (!selected || *selected >= files.size()) return;
  chosen_(ChosenFile{static_cast<std::int16_t>(*selected), ImagePath(folders_->OpenFolder(), files[*selected].name)});
}

}  // namespace lumiroll
