#include "saver/config/win32/settings_dialog.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/win32/controls.h"
#include "platform/win32/display_profile.h"
#include "platform/win32/file_system.h"
#include "platform/win32/message_box.h"
#include "platform/win32/modeless_dialog.h"
#include "saver/config/delay_check.h"
#include "saver/config/drive_letters.h"
#include "saver/config/folder_lists.h"
#include "saver/config/large_image_check.h"
#include "saver/config/settings_dialog_layout.h"
#include "saver/config/unset_settings.h"
#include "saver/config/win32/about_box.h"
#include "saver/config/win32/disk_folders.h"
#include "saver/config/win32/folder_list_drawing.h"
#include "saver/config/win32/preview_pane.h"
#include "saver/latest_work.h"
#include "saver/resource_ids.h"
#include "saver/show_state.h"
#include "saver/win32/settings_variables.h"
#include "settings/win32/registry_store.h"
#include "shared/text_forms.h"

namespace lumiroll {
namespace {

// Posted by the listings' workers.
constexpr UINT kFolderListed = WM_APP + 1;
constexpr UINT kDrivesListed = WM_APP + 2;

class SettingsDialog final : public ModelessDialog {
 public:
  // Over the show's cover (null: none), owned by it.
  explicit SettingsDialog(HWND cover);
  bool Create();
  void Form_Load();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  [[nodiscard]] HWND FirstFocus() const override { return Dir1.hwnd(); }
  void OnDpiChanged() override;
  void OnClosed() override { EndWhenBothClosed(); }

 private:
  void ConnectControls();
  void OnDrawItem(const DRAWITEMSTRUCT& item);

  void Drive1_Change();
  void Dir1_Change();
  void File1_Click();
  void Option1_Click(std::int16_t index);
  void Option2_Click(std::int16_t index);
  void CommandOK_Click();
  [[noreturn]] void CommandCancel_Click();
  void CommandAbout_Click();
  void EndWhenBothClosed();

  // The folder list is to open the folder once its listing comes; a newer one replaces it.
  void OpenFolderLater(const std::wstring& folder);
  // A listing came: when the folder list moved, it shows the new rows and Dir1_Change runs.
  void OnFolderListed();
  void OnDrivesListed();
  void OpenHighlightedFolder();
  void ShowFolderRows();
  void FillFile1();
  void SelectFirstFile();
  void SelectShownDrive();
  void SelectOption(const OptionButton (&options)[2], std::int16_t index);
  [[nodiscard]] PreviewMode ShownMode() const { return PreviewModeOf(settings_.PhotoSize); }
  [[nodiscard]] RECT Picture1Rect() const;

  Settings& settings_ = SettingsVariables;
  ListBox Dir1{nullptr, kIdDir1}, File1{nullptr, kIdFile1};
  ComboBox Drive1{nullptr, kIdDrive1};
  EditBox Text1{nullptr, kIdText1};
  OptionButton Option1[2]{{nullptr, kIdOption1Index1}, {nullptr, kIdOption1Index2}};
  OptionButton Option2[2]{{nullptr, kIdOption2Index1}, {nullptr, kIdOption2Index2}};
  Button CommandOK{nullptr, kIdCommandOK}, CommandCancel{nullptr, kIdCommandCancel},
      CommandAbout{nullptr, kIdCommandAbout};
  HWND cover_;  // not owned; null when the dialog is not over the show's cover
  wchar_t startingDrive_ = L'C';
  std::optional<FolderLists> folders_;  // Dir1, File1 and Drive1's contents, from Form_Load
  // The listings, on threads never joined; once the window exists, which they tell.
  std::optional<LatestWork<FolderListing>> folderListing_;
  std::optional<LatestWork<std::vector<DriveChoice>>> driveListing_;
  PreviewPane Picture1;
  AboutBox Form8{[this] { EndWhenBothClosed(); }};
};

SettingsDialog::SettingsDialog(HWND cover)
    : ModelessDialog(L"LumirollSettings", {.caption = kSettingsDialogTitle,
                                           .clientWidth = kSettingsDialogWidth,
                                           .clientHeight = kSettingsDialogHeight,
                                           .controls = SettingsDialogLayout(),
                                           .iconId = IDI_LUMIROLL}),
      cover_(cover) {
  Form8.OverCover(cover);
}

bool SettingsDialog::Create() {
  if (!ModelessDialog::Create(cover_)) return false;
  folderListing_.emplace([window = hwnd()] { ::PostMessageW(window, kFolderListed, 0, 0); });
  driveListing_.emplace([window = hwnd()] { ::PostMessageW(window, kDrivesListed, 0, 0); });
  ConnectControls();
  // Without its picture box the dialog still works: the preview is all that is missing.
  (void)Picture1.Create(hwnd(), kIdPicture1, Picture1Rect(), ShownMode());
  Text1.LimitText(2);
  return true;
}

RECT SettingsDialog::Picture1Rect() const { return ClientRect(*FindControl(SettingsDialogLayout(), L"Picture1")); }

// Before the controls exist: the handles find them by id when used.
void SettingsDialog::ConnectControls() {
  const std::reference_wrapper<ControlHandle> handles[] = {Dir1,       File1,         Drive1,      Text1,
                                                           Option1[0], Option1[1],    Option2[0],  Option2[1],
                                                           CommandOK,  CommandCancel, CommandAbout};
  for (ControlHandle& handle : handles) handle.Attach(hwnd());
  CommandOK.OnClick(Callbacks(), [this] {
    // Enter in the folder list opens the highlighted folder rather than pressing OK.
    if (::GetFocus() == Dir1.hwnd()) return OpenHighlightedFolder();
    CommandOK_Click();
  });
  CommandCancel.OnClick(Callbacks(), [this] { CommandCancel_Click(); });
  CommandAbout.OnClick(Callbacks(), [this] { CommandAbout_Click(); });
  Dir1.OnDoubleClick(Callbacks(), [this] { OpenHighlightedFolder(); });
  Drive1.OnSelectionChange(Callbacks(), [this] { Drive1_Change(); });
  File1.OnSelectionChange(Callbacks(), [this] { File1_Click(); });
  for (std::int16_t index : {std::int16_t{1}, std::int16_t{2}}) {
    Option1[index - 1].OnClick(Callbacks(), [this, index] { Option1_Click(index); });
    Option2[index - 1].OnClick(Callbacks(), [this, index] { Option2_Click(index); });
  }
}

void SettingsDialog::Form_Load() {
  HCURSOR normal = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  (void)UseColourProfileOfMonitorShowing(hwnd());  // the preview takes the colours of its monitor
  FillUnsetSettings(settings_);
  Text1.SetText(NumberText(settings_.PhotoDisplayTime));
  // The lists fill in when their listings come (OnFolderListed, OnDrivesListed): the dialog opens
  // at once, whatever the folder's share does.
  const std::wstring startFolder = CurrentFolder();
  startingDrive_ = DriveOfPath(startFolder).value_or(L'C');
  folders_.emplace(startFolder, FullPathName(settings_.PhotoDirectory).value_or(settings_.PhotoDirectory));
  folderListing_->Request(
      [stored = settings_.PhotoDirectory, startFolder] { return ListFirstFolder(DiskFolders(), stored, startFolder); });
  driveListing_->Request([] { return DiskFolders().Drives(); });
  SelectOption(Option1, settings_.PhotoSize);
  if (settings_.PhotoSize == kFitScreen || settings_.PhotoSize == kActualSize) Option1_Click(settings_.PhotoSize);
  SelectOption(Option2, settings_.PhotoOrder);
  ::SetCursor(normal ? normal : ::LoadCursorW(nullptr, IDC_ARROW));
  Show();
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(FolderRowHeight(Dpi()));
      return TRUE;
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case kFolderListed: OnFolderListed(); return 0;
    case kDrivesListed: OnDrivesListed(); return 0;
  }
  return ModelessDialog::HandleMessage(message, wParam, lParam);
}

void SettingsDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID != kIdDir1 || !folders_ || item.itemID >= folders_->Rows().size()) return;
  DrawFolderRow(item, folders_->Rows()[item.itemID], folders_->OnOpenPath(item.itemID), Dpi());
}

void SettingsDialog::OnDpiChanged() {
  Picture1.MoveTo(Picture1Rect());
  Dir1.SetRowHeight(FolderRowHeight(Dpi()));
}

void SettingsDialog::OpenFolderLater(const std::wstring& folder) {
  folders_->Asked(FullPathName(folder).value_or(folder));  // what OK saves meanwhile
  folderListing_->Request([folder] { return ListFolder(DiskFolders(), folder); });
}

// Only the newest listing's result comes: an older one is dropped on its worker.
void SettingsDialog::OnFolderListed() {
  std::optional<FolderListing> listing = folderListing_->TakeFinished();
  if (!listing || !folders_->Take(std::move(*listing))) return;
  ShowFolderRows();
  // The drive list follows without running Drive1_Change, so the folder list stays on the
  // stored folder even when it lies on another drive.
  SelectShownDrive();
  Dir1_Change();
}

void SettingsDialog::OnDrivesListed() {
  std::optional<std::vector<DriveChoice>> drives = driveListing_->TakeFinished();
  if (!drives) return;
  folders_->TakeDrives(std::move(*drives));
  std::vector<std::wstring> texts;
  for (const DriveChoice& drive : folders_->Drives()) texts.push_back(drive.text);
  Drive1.Fill(texts);
  SelectShownDrive();
}

void SettingsDialog::SelectShownDrive() {
  if (const std::optional<std::size_t> shown = folders_->ShownDrive(startingDrive_)) Drive1.Select(*shown);
}

void SettingsDialog::ShowFolderRows() {
  std::vector<std::wstring> texts;
  for (const FolderRow& row : folders_->Rows()) texts.push_back(row.text);
  Dir1.Fill(texts);
  Dir1.Select(folders_->OpenRowIndex());
}

void SettingsDialog::OpenHighlightedFolder() {
  const std::optional<std::size_t> row = Dir1.Selected();
  if (const std::optional<std::wstring> folder = row ? folders_->RowFolder(*row) : std::nullopt)
    OpenFolderLater(*folder);
}

void SettingsDialog::FillFile1() {
  std::vector<std::wstring> names;
  for (const FolderEntry& file : folders_->Files()) names.push_back(file.name);
  File1.Fill(names);
}

void SettingsDialog::SelectFirstFile() {
  const std::vector<FolderEntry>& files = folders_->Files();
  if (!files.empty()) File1.Select(0);
  // An online-only file is read, and so downloaded, only when the user chooses it.
  if (files.empty() || files.front().onlineOnly) return Picture1.ShowNothing();
  File1_Click();
}

void SettingsDialog::SelectOption(const OptionButton (&options)[2], std::int16_t index) {
  for (int i = 1; i <= 2; ++i) options[i - 1].SetChecked(i == index);
}

// A drive that is not ready leaves Dir1 where it was, once its listing says so.
void SettingsDialog::Drive1_Change() {
  const std::optional<std::size_t> chosen = Drive1.Selected();
  if (const std::optional<std::wstring> folder = chosen ? folders_->DriveFolder(*chosen) : std::nullopt)
    OpenFolderLater(*folder);
}

void SettingsDialog::Dir1_Change() {
  FillFile1();
  SelectFirstFile();
}

// The preview keeps what it shows until the decode is done.
void SettingsDialog::File1_Click() {
  const std::vector<FolderEntry>& files = folders_->Files();
  const std::optional<std::size_t> selected = File1.Selected();
  if (!selected || *selected >= files.size()) return;
  Picture1.ShowFile(static_cast<std::int16_t>(*selected), ImagePath(folders_->OpenFolder(), files[*selected].name));
}

// The preview follows the new size mode at once, from the pictures already decoded.
void SettingsDialog::Option1_Click(std::int16_t index) {
  settings_.PhotoSize = index;
  Picture1.ChangeMode(ShownMode());
}

void SettingsDialog::Option2_Click(std::int16_t index) { settings_.PhotoOrder = index; }

void SettingsDialog::CommandOK_Click() {
  const DelayVerdict verdict = CheckPhotoDelay(Text1.Text());
  if (!verdict.accepted) {
    ShowMessage(verdict.message, kErrorTitle, hwnd());
    Text1.FocusAndSelectAll();
    return;
  }
  // With a listing under way: the folder it is to open, and the files listed of it so far (none).
  settings_.PhotoDirectory = folders_->ChosenFolder();
  settings_.PhotoDisplayTime = verdict.seconds;
  RegistrySettingsStore store;
  const std::vector<std::wstring_view> unsaved = SaveSettings(store, settings_);
  if (!unsaved.empty()) ShowMessage(SettingsNotSavedMessage(unsaved), kErrorTitle, hwnd());
  const LargeImageWarning warning = FindLargeImage(folders_->ChosenFiles());
  if (warning != LargeImageWarning::None) ShowMessage(LargeImageWarningText(warning), kWarningTitle, hwnd());
  EndProgram();
}

void SettingsDialog::CommandCancel_Click() { EndProgram(); }

void SettingsDialog::CommandAbout_Click() { Form8.Open(); }

void SettingsDialog::EndWhenBothClosed() {
  if (!hwnd() && !Form8.IsOpen()) QuitMessageLoop();
}

}  // namespace

int RunSettingsDialog(HWND cover) {
  SettingsDialog form2(cover);
  if (!form2.Create()) return 0;
  // As under a modal dialog: input on the cover would otherwise end the program unseen.
  if (cover) ::EnableWindow(cover, FALSE);
  form2.Form_Load();
  const int exitCode = RunMessageLoop();
  if (cover) EndProgram();  // the cover goes with the program
  return exitCode;
}

}  // namespace lumiroll
