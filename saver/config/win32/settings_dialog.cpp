#include "saver/config/win32/settings_dialog.h"

#include <windows.h>

#include <timeapi.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/message_box.h"
#include "platform/win32/picture_surface.h"
#include "platform/process.h"
#include "platform/win32/window.h"
#include "platform/win32/controls.h"
#include "platform/win32/dialog_controls.h"
#include "platform/win32/display_profile.h"
#include "saver/config/delay_check.h"
#include "saver/config/dialog_start.h"
#include "saver/config/folder_rows.h"
#include "saver/config/large_image_check.h"
#include "saver/config/preview_pictures.h"
#include "saver/config/settings_dialog_layout.h"
#include "saver/config/win32/about_box.h"
#include "saver/config/win32/folder_list_drawing.h"
#include "saver/config/win32/folder_navigation.h"
#include "saver/background_loader.h"
#include "saver/image_list.h"
#include "saver/timed_wait.h"
#include "saver/win32/paint_photo.h"
#include "saver/win32/picture_jobs.h"
#include "saver/win32/resource_ids.h"
#include "saver/win32/settings_variables.h"
#include "settings/win32/registry_store.h"
#include "shared/text_forms.h"

namespace lumiroll {
namespace {

// Posted by the loader's worker when a preview decode is done.
constexpr UINT kPreviewDecoded = WM_APP + 1;
// While a preview decode is awaited: its read is held to the loader's no-data limit.
constexpr UINT_PTR kPreviewWatch = 1;
constexpr UINT kPreviewWatchMilliseconds = 1000;

// Form2.
class SettingsDialog final : public Window {
 public:
  bool Create();
  void Form_Load();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyed() override { delete this; }

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

  // Opens the folder in Dir1; runs Dir1_Change when that changes it. False when the folder
  // cannot be opened: Dir1 stays where it was.
  bool SetDir1Path(std::wstring_view folder);
  void OpenHighlightedFolder();
  void ShowFolderRows();
  void FillFile1();
  void SelectFirstFile();
  void FillDrive1(wchar_t startingDrive);
  void SelectOption(const OptionButton (&options)[2], std::int16_t index);
  [[nodiscard]] PreviewArea Picture1Area() const;
  // Paints what Picture2 holds for the size mode, without reading the file again.
  void PaintPreview();
  // The preview's decodes run on the loader's workers; the dialog only asks and is told.
  void RequestPreviewDecode();
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
  Button CommandOK{nullptr, kIdCommandOK}, CommandCancel{nullptr, kIdCommandCancel}, CommandAbout{nullptr, kIdCommandAbout};
  std::wstring dir1Path_;
  std::vector<FolderRow> dir1Rows_;
  std::vector<FolderEntry> file1Files_;  // as listed, sizes included
  std::vector<DriveChoice> drives_;
  HWND lastFocus_ = nullptr;  // not owned: a child control
  PictureSurface Picture1;
  PreviewPictures Picture2;
  std::optional<BackgroundLoader> loader_;  // once the window exists, which it tells
};

bool SettingsDialog::Create() {
  const WindowOptions options = FixedDialogOptions(L"LumirollSettings", kSettingsDialogTitle, IDI_LUMIROLL);
  if (!Window::Create(options)) return false;
  dpi_ = ::GetDpiForWindow(hwnd());
  loader_.emplace([](LoadJob& job) { return LoadJobPicture(job); },
                  [window = hwnd()] { ::PostMessageW(window, kPreviewDecoded, 0, 0); }, SystemLoaderOptions());
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
  const std::reference_wrapper<ControlHandle> handles[] = {
      Dir1, File1, Drive1, Text1, Option1[0], Option1[1], Option2[0], Option2[1], CommandOK, CommandCancel, CommandAbout};
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
  (void)UseColourProfileOfMonitorShowing(hwnd());  // the preview takes the colours of its monitor
  FillUnsetSettings(settings_);
  Text1.SetText(NumberText(settings_.PhotoDisplayTime));
  const std::wstring startFolder = CurrentFolder();
  const std::wstring dir1Start = OpenableFolder(startFolder).value_or(startFolder);
  dir1Path_ = dir1Start;
  ShowFolderRows();
  SetDir1Path(settings_.PhotoDirectory);
  // When the folder list moved, Dir1_Change has filled the file list and painted already.
  const bool dir1Moved = dir1Path_ != dir1Start;
  if (!dir1Moved) FillFile1();
  // The drive list is set without running Drive1_Change, so the folder list stays on the
  // stored folder even when it lies on another drive.
  FillDrive1(DriveOfPath(startFolder).value_or(L'C'));
  if (!dir1Moved) SelectFirstFile();
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
    case WM_COMMAND:
      callbacks_.Dispatch(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return DialogFaceColours(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_BTNTEXT));
    case WM_ACTIVATE:
      // Like a dialog: the focus leaves with the window and comes back to the same control.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd(), focus)) lastFocus_ = focus;
      } else {
        ::SetFocus(lastFocus_ && ::IsWindow(lastFocus_) ? lastFocus_ : Dir1.hwnd());
      }
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(FolderRowHeight(dpi_));
      return TRUE;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case kPreviewDecoded:
      OnPreviewDecoded();
      return 0;
    case WM_TIMER:
      if (wParam == kPreviewWatch) WatchPreviewDecode();
      return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}

void SettingsDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID != kIdDir1 || item.itemID >= dir1Rows_.size()) return;
  int openLevel = 0;
  for (const FolderRow& row : dir1Rows_)
    if (row.open) openLevel = row.level;
  const FolderRow& row = dir1Rows_[item.itemID];
  const bool onOpenPath = item.itemID <= static_cast<UINT>(openLevel);
  DrawFolderRow(item, row, onOpenPath, dpi_);
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
  if (!file1Files_.empty()) PaintPreview();
}

bool SettingsDialog::SetDir1Path(std::wstring_view folder) {
  const std::optional<std::wstring> opened = OpenableFolder(folder);
  if (!opened) return false;
  if (*opened == dir1Path_) return true;
  dir1Path_ = *opened;
  ShowFolderRows();
  Dir1_Change();
  return true;
}

void SettingsDialog::ShowFolderRows() {
  dir1Rows_ = FolderRows(dir1Path_, ReadFolderEntries(dir1Path_));
  std::vector<std::wstring> texts;
  std::size_t openRow = 0;
  for (std::size_t i = 0; i < dir1Rows_.size(); ++i) {
    texts.push_back(dir1Rows_[i].text);
    if (dir1Rows_[i].open) openRow = i;
  }
  Dir1.Fill(texts);
  Dir1.Select(openRow);
}

void SettingsDialog::OpenHighlightedFolder() {
  const std::optional<std::size_t> row = Dir1.Selected();
  if (!row || *row >= dir1Rows_.size()) return;
  const std::wstring path = dir1Rows_[*row].path;
  SetDir1Path(path);
}

void SettingsDialog::FillFile1() {
  file1Files_ = MatchingFiles(ReadFolderEntries(dir1Path_), ImagePattern);
  std::vector<std::wstring> names;
  for (const FolderEntry& file : file1Files_) names.push_back(file.name);
  File1.Fill(names);
}

void SettingsDialog::SelectFirstFile() {
  if (file1Files_.empty()) return;
  File1.Select(0);
  File1_Click();
}

void SettingsDialog::FillDrive1(wchar_t startingDrive) {
  drives_ = ListDrives();
  std::vector<std::wstring> texts;
  std::vector<wchar_t> letters;
  for (const DriveChoice& drive : drives_) {
    texts.push_back(drive.text);
    letters.push_back(drive.letter);
  }
  Drive1.Fill(texts);
  const wchar_t shown = DriveToShow(dir1Path_, letters, startingDrive);
  for (std::size_t i = 0; i < letters.size(); ++i)
    if (letters[i] == shown) Drive1.Select(i);
}

void SettingsDialog::SelectOption(const OptionButton (&options)[2], std::int16_t index) {
  for (int i = 1; i <= 2; ++i) options[i - 1].SetChecked(i == index);
}

void SettingsDialog::Drive1_Change() {
  const std::optional<std::size_t> chosen = Drive1.Selected();
  if (!chosen || *chosen >= drives_.size()) return;
  const wchar_t drive[] = {drives_[*chosen].letter, L':', L'\0'};
  SetDir1Path(drive);  // a drive that is not ready leaves Dir1 where it was
}

void SettingsDialog::Dir1_Change() {
  FillFile1();
  if (file1Files_.empty()) {
    Picture2.Forget();
    WatchPreviewDecode();
    Picture1.Clear();
    return;
  }
  SelectFirstFile();
}

void SettingsDialog::File1_Click() {
  if (file1Files_.empty()) return;
  const std::optional<std::size_t> selected = File1.Selected();
  if (!selected || *selected >= file1Files_.size()) return;
  // The preview keeps what it shows until the decode is done.
  Picture2.Select(static_cast<std::int16_t>(*selected), FileInFolder(dir1Path_, file1Files_[*selected].name),
                  Picture1Area());
  RequestPreviewDecode();
}

void SettingsDialog::RequestPreviewDecode() {
  const std::optional<DecodeRequest> next = Picture2.NextRequest(PreviewModeOf(settings_.PhotoSize));
  if (next) loader_->Request(*next);
  WatchPreviewDecode();
}

void SettingsDialog::OnPreviewDecoded() {
  const std::shared_ptr<const DecodedPicture> decoded = loader_->TakeFinished();
  if (!decoded) return;
  if (Picture2.Finish(*decoded)) PaintPreview();
  RequestPreviewDecode();  // the other size mode's, when it is still to do
}

void SettingsDialog::WatchPreviewDecode() {
  const std::uint32_t due = loader_->Watch(static_cast<std::uint32_t>(::timeGetTime()));
  if (due == 0) {
    ::PostMessageW(hwnd(), kPreviewDecoded, 0, 0);  // given up: its failed result waits to be taken
    return;
  }
  if (!Picture2.NextRequest(PreviewModeOf(settings_.PhotoSize))) {
    ::KillTimer(hwnd(), kPreviewWatch);
    return;
  }
  // A request waiting for a thread is not watched yet: look again a little later.
  ::SetTimer(hwnd(), kPreviewWatch, std::clamp<UINT>(due, USER_TIMER_MINIMUM, kPreviewWatchMilliseconds), nullptr);
}

PreviewArea SettingsDialog::Picture1Area() const {
  return {Picture1.ScaleWidth(), Picture1.ScaleHeight(), ::GetSystemMetrics(SM_CXSCREEN)};
}

void SettingsDialog::PaintPreview() {
  // Nothing loaded since the dialog opened: the preview stays black.
  const PreviewMode mode = PreviewModeOf(settings_.PhotoSize);
  PaintPhoto(Picture2.PictureFor(mode), Picture1, PreviewScaleFor(mode, Picture1Area()));
}

// The preview follows the new size mode at once, from the pictures already decoded. With no
// file listed it stays as it is.
void SettingsDialog::Option1_Click(std::int16_t index) {
  settings_.PhotoSize = index;
  if (file1Files_.empty()) return;
  if (Picture2.Ready(PreviewModeOf(index))) PaintPreview();
  RequestPreviewDecode();  // the new mode's decode first, when it is not done yet
}

void SettingsDialog::Option2_Click(std::int16_t index) { settings_.PhotoOrder = index; }

void SettingsDialog::CommandOK_Click() {
  const DelayVerdict verdict = CheckPhotoDelay(Text1.Text());
  if (!verdict.accepted) {
    ShowMessage(verdict.message, kErrorTitle, hwnd());
    Text1.FocusAndSelectAll();
    return;
  }
  settings_.PhotoDirectory = dir1Path_;
  settings_.PhotoDisplayTime = verdict.seconds;
  RegistrySettingsStore store;
  const std::vector<std::wstring_view> unsaved = SaveSettings(store, settings_);
  if (!unsaved.empty()) ShowMessage(SettingsNotSavedMessage(unsaved), kErrorTitle, hwnd());
  const LargeImageWarning warning = FindLargeImage(file1Files_);
  if (warning != LargeImageWarning::None) ShowMessage(LargeImageWarningText(warning), kWarningTitle, hwnd());
  EndProgram();
}

void SettingsDialog::CommandCancel_Click() { EndProgram(); }

void SettingsDialog::CommandAbout_Click() { OpenAboutBox(); }

}  // namespace

void OpenSettingsDialog() {
  // A drive that is not ready must fail quietly, not ask for a disk.
  ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, nullptr);
  auto* dialog = new SettingsDialog();  // deletes itself when its window is gone
  if (!dialog->Create()) {
    delete dialog;
    return;
  }
  dialog->Form_Load();
}

}  // namespace lumiroll
