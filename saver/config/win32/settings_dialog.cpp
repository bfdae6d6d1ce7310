#include "saver/config/win32/settings_dialog.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/millisecond_clock.h"
#include "platform/process.h"
#include "platform/win32/controls.h"
#include "platform/win32/dialog_controls.h"
#include "platform/win32/file_system.h"
#include "platform/win32/message_box.h"
#include "platform/win32/monitor_profile.h"
#include "platform/win32/picture_surface.h"
#include "platform/win32/window.h"
#include "saver/background_loader.h"
#include "saver/config/delay_check.h"
#include "saver/config/dialog_start.h"
#include "saver/config/folder_lists.h"
#include "saver/config/large_image_check.h"
#include "saver/config/preview_loading.h"
#include "saver/config/settings_dialog_layout.h"
#include "saver/config/win32/about_box.h"
#include "saver/config/win32/disk_folders.h"
#include "saver/config/win32/folder_list_drawing.h"
#include "saver/latest_work.h"
#include "saver/show_state.h"
#include "saver/win32/paint_photo.h"
#include "saver/win32/picture_jobs.h"
#include "saver/win32/resource_ids.h"
#include "saver/win32/settings_variables.h"
#include "settings/win32/registry_store.h"
#include "shared/text_forms.h"

namespace lumiroll {
namespace {

// Posted by the loader's worker when a preview decode is done, and by the listings' workers.
constexpr UINT kPreviewDecoded = WM_APP + 1;
constexpr UINT kFolderListed = WM_APP + 2;
constexpr UINT kDrivesListed = WM_APP + 3;
// While a preview decode is awaited: its read is held to the loader's no-data limit.
constexpr UINT_PTR kPreviewWatch = 1;
constexpr UINT kPreviewWatchMilliseconds = 1000;

class SettingsDialog final : public Window {
 public:
  // Over the show's cover (null: none), owned by it.
  explicit SettingsDialog(HWND cover) : cover_(cover) { Form8.OverCover(cover); }
  bool Create();
  void Form_Load();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyed() override { EndWhenBothClosed(); }

 private:
  void CreateControls();
  void ConnectControls();
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnDpiChanged(UINT dpi, const RECT& suggested);

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
  [[nodiscard]] PreviewArea Picture1Area() const;
  [[nodiscard]] PreviewMode ShownMode() const { return PreviewModeOf(settings_.PhotoSize); }
  // Paints what Picture2 holds for the size mode, without reading the file again.
  void PaintPreview();
  void OnPreviewDecoded();
  void WatchPreviewDecode();

  Settings& settings_ = SettingsVariables;
  UINT dpi_ = 96;
  std::optional<DialogControls> controls_;  // once the window exists
  ControlCallbacks callbacks_;
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
  HWND lastFocus_ = nullptr;  // not owned: a child control
  PictureSurface Picture1;
  DisplayProfile previewProfile_;           // of the monitor the dialog opened on
  std::optional<BackgroundLoader> loader_;  // once the window exists, which it tells
  std::optional<PreviewLoading> Picture2;   // the preview's image holder, on loader_
  AboutBox Form8{[this] { EndWhenBothClosed(); }};
};

bool SettingsDialog::Create() {
  WindowOptions options = FixedDialogOptions(L"LumirollSettings", kSettingsDialogTitle, IDI_LUMIROLL);
  options.owner = cover_;
  if (cover_) options.exStyle |= WS_EX_TOPMOST;  // above the cover, which is topmost
  if (!Window::Create(options)) return false;
  dpi_ = ::GetDpiForWindow(hwnd());
  folderListing_.emplace([window = hwnd()] { ::PostMessageW(window, kFolderListed, 0, 0); });
  driveListing_.emplace([window = hwnd()] { ::PostMessageW(window, kDrivesListed, 0, 0); });
  loader_.emplace([](LoadJob& job) { return LoadJobPicture(job); },
                  [window = hwnd()] { ::PostMessageW(window, kPreviewDecoded, 0, 0); }, SystemLoaderOptions());
  Picture2.emplace(*loader_);
  SizeAndCentre(hwnd(), kSettingsDialogWidth, kSettingsDialogHeight);
  ConnectControls();
  CreateControls();
  return true;
}

void SettingsDialog::CreateControls() {
  const auto table = SettingsDialogLayout();
  controls_.emplace(hwnd(), table);
  controls_->Create(dpi_);
  // Black, with a thin border, over the monitor drawing's screen.
  const ControlLayout& preview = *FindControl(table, L"Picture1");
  if (Picture1.CreateSurface(hwnd(), controls_->ClientRect(preview, dpi_), RGB(0, 0, 0), WS_BORDER)) {
    ::SetWindowLongPtrW(Picture1.hwnd(), GWLP_ID, preview.id);
    ::SetWindowPos(Picture1.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  Text1.LimitText(2);
}

// Before the controls exist: the handles find them by id when used.
void SettingsDialog::ConnectControls() {
  const std::reference_wrapper<ControlHandle> handles[] = {Dir1,       File1,         Drive1,      Text1,
                                                           Option1[0], Option1[1],    Option2[0],  Option2[1],
                                                           CommandOK,  CommandCancel, CommandAbout};
  for (ControlHandle& handle : handles) handle.Attach(hwnd());
  CommandOK.OnClick(callbacks_, [this] {
    // Enter in the folder list opens the highlighted folder rather than pressing OK.
    if (::GetFocus() == Dir1.hwnd()) return OpenHighlightedFolder();
    CommandOK_Click();
  });
  CommandCancel.OnClick(callbacks_, [this] { CommandCancel_Click(); });
  CommandAbout.OnClick(callbacks_, [this] { CommandAbout_Click(); });
  Dir1.OnDoubleClick(callbacks_, [this] { OpenHighlightedFolder(); });
  Drive1.OnSelectionChange(callbacks_, [this] { Drive1_Change(); });
  File1.OnSelectionChange(callbacks_, [this] { File1_Click(); });
  for (std::int16_t index : {std::int16_t{1}, std::int16_t{2}}) {
    Option1[index - 1].OnClick(callbacks_, [this, index] { Option1_Click(index); });
    Option2[index - 1].OnClick(callbacks_, [this, index] { Option2_Click(index); });
  }
}

void SettingsDialog::Form_Load() {
  HCURSOR normal = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  previewProfile_ = ProfileOfMonitorShowing(hwnd());
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
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetForegroundWindow(hwnd());
  ::SetFocus(Dir1.hwnd());
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: callbacks_.Dispatch(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return DialogFaceColours(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_BTNTEXT));
    case WM_ACTIVATE:
      // Like a dialog: the focus leaves with the window and comes back to the same control.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd(), focus)) lastFocus_ = focus;
      } else {
        ::SetFocus(lastFocus_ && ::IsWindow(lastFocus_) ? lastFocus_ : Dir1.hwnd());
      }
      return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(FolderRowHeight(dpi_));
      return TRUE;
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case kPreviewDecoded: OnPreviewDecoded(); return 0;
    case kFolderListed: OnFolderListed(); return 0;
    case kDrivesListed: OnDrivesListed(); return 0;
    case WM_TIMER:
      if (wParam == kPreviewWatch) WatchPreviewDecode();
      return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}

void SettingsDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID != kIdDir1 || !folders_ || item.itemID >= folders_->Rows().size()) return;
  DrawFolderRow(item, folders_->Rows()[item.itemID], folders_->OnOpenPath(item.itemID), dpi_);
}

void SettingsDialog::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  const auto table = SettingsDialogLayout();
  SizeForDpi(hwnd(), kSettingsDialogWidth, kSettingsDialogHeight, dpi_, suggested);
  // A change while the window is being placed, before its controls exist: they are made at dpi_.
  if (!controls_) return;
  controls_->LayOut(dpi_);
  const RECT preview = controls_->ClientRect(*FindControl(table, L"Picture1"), dpi_);
  ::SetWindowPos(Picture1.hwnd(), nullptr, preview.left, preview.top, preview.right - preview.left,
                 preview.bottom - preview.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Dir1.SetRowHeight(FolderRowHeight(dpi_));
  if (folders_ && !folders_->Files().empty()) PaintPreview();
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
  if (files.empty() || files.front().onlineOnly) {
    Picture2->Forget();
    WatchPreviewDecode();
    Picture1.Clear();
    return;
  }
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
  Picture2->Select(static_cast<std::int16_t>(*selected), ImagePath(folders_->OpenFolder(), files[*selected].name),
                   Picture1Area(), ShownMode());
  WatchPreviewDecode();
}

void SettingsDialog::OnPreviewDecoded() {
  if (Picture2->TakeFinished(ShownMode())) PaintPreview();
  WatchPreviewDecode();
}

// A request waiting for a thread is not watched yet: the timer looks again a little later.
void SettingsDialog::WatchPreviewDecode() {
  const std::optional<std::uint32_t> due = Picture2->Watch(MillisecondClock(), ShownMode());
  if (!due) {
    ::KillTimer(hwnd(), kPreviewWatch);
  } else if (*due == 0) {
    ::PostMessageW(hwnd(), kPreviewDecoded, 0, 0);  // given up: its failed result waits to be taken
  } else {
    ::SetTimer(hwnd(), kPreviewWatch, std::clamp<UINT>(*due, USER_TIMER_MINIMUM, kPreviewWatchMilliseconds), nullptr);
  }
}

PreviewArea SettingsDialog::Picture1Area() const {
  return {Picture1.ScaleWidth(), Picture1.ScaleHeight(), ::GetSystemMetrics(SM_CXSCREEN), previewProfile_};
}

void SettingsDialog::PaintPreview() {
  // Nothing loaded since the dialog opened: the preview stays black.
  const PreviewMode mode = ShownMode();
  PaintPhoto(Picture2->PictureFor(mode), Picture1, PreviewScaleFor(mode, Picture1Area()));
}

// The preview follows the new size mode at once, from the pictures already decoded. With no
// file listed it stays as it is.
void SettingsDialog::Option1_Click(std::int16_t index) {
  settings_.PhotoSize = index;
  if (folders_->Files().empty()) return;
  if (Picture2->Ready(ShownMode())) PaintPreview();
  Picture2->RequestNext(ShownMode());  // the new mode's decode first, when it is not done yet
  WatchPreviewDecode();
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
