#pragma once
// Dir1, File1 and Drive1, the settings dialog's folder, file and drive lists, kept in step. Each
// folder and the drives are listed on a worker thread, so that the dialog answers whatever a
// folder's share does; a listing tells the dialog's window with WM_APP + 1 or + 2.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/controls.h"
#include "saver/config/folder_lists.h"
#include "saver/config/settings_dialog_layout.h"
#include "saver/latest_work.h"

namespace lumiroll {

// The file the preview is to show: its index in the file list and its path.
struct ChosenFile {
  std::int16_t listIndex;
  std::wstring path;
};

class FolderBrowser {
 public:
  // chosen runs whenever the file to preview changes; with nothing when there is none to read.
  explicit FolderBrowser(std::function<void(const std::optional<ChosenFile>&)> chosen);

  // The dialog's window and its controls exist: the lists' notifications go to callbacks.
  void Attach(HWND dialog, ControlCallbacks& callbacks);
  // Opens the stored folder, or where the program started when it is missing; the lists fill in
  // when their listings come.
  void Start(const std::wstring& storedFolder);
  // A message of the dialog's window that is the lists': its result; nothing for any other.
  [[nodiscard]] std::optional<LRESULT> HandleMessage(UINT message, LPARAM lParam, UINT dpi);
  void OnDpiChanged(UINT dpi);
  // Enter in the folder list opens the highlighted folder rather than pressing OK: true then.
  bool OpenOnEnter();

  [[nodiscard]] HWND FolderList() const { return Dir1.hwnd(); }
  // What OK saves: with a listing under way, the folder it is to open and none of its files.
  [[nodiscard]] const std::wstring& ChosenFolder() const { return folders_->ChosenFolder(); }
  [[nodiscard]] const std::vector<FolderEntry>& ChosenFiles() const { return folders_->ChosenFiles(); }

 private:
  // The folder list is to open the folder once its listing comes; a newer one replaces it.
  void OpenFolderLater(const std::wstring& folder);
  // A listing came: when the folder list moved, it shows the new rows and Dir1_Change runs.
  void OnFolderListed();
  void OnDrivesListed();
  void OpenHighlightedFolder();
  void ShowFolderRows();
  void SelectShownDrive();
  void SelectFirstFile();
  void OnDrawItem(const DRAWITEMSTRUCT& item, UINT dpi) const;

  void Drive1_Change();
  void Dir1_Change();
  void File1_Click();

  std::function<void(const std::optional<ChosenFile>&)> chosen_;
  ListBox Dir1{nullptr, kIdDir1}, File1{nullptr, kIdFile1};
  ComboBox Drive1{nullptr, kIdDrive1};
  wchar_t startingDrive_ = L'C';
  std::optional<FolderLists> folders_;  // the lists' contents, from Start
  // The listings, on threads never joined; once the window exists, which they tell.
  std::optional<LatestWork<FolderListing>> folderListing_;
  std::optional<LatestWork<std::vector<DriveChoice>>> driveListing_;
};

}  // namespace lumiroll
