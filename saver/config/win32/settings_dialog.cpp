#include "saver/config/win32/settings_dialog.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/handles.h"
#include "platform/message_box.h"
#include "platform/picture_box.h"
#include "platform/picture_surface.h"
#include "platform/process.h"
#include "platform/win32/display_profile.h"
#include "platform/window.h"
#include "saver/config/delay_check.h"
#include "saver/config/dialog_start.h"
#include "saver/config/folder_rows.h"
#include "saver/config/large_image_check.h"
#include "saver/config/settings_dialog_layout.h"
#include "saver/config/win32/about_box.h"
#include "saver/config/win32/dialog_controls.h"
#include "saver/config/win32/folder_list_drawing.h"
#include "saver/config/win32/folder_navigation.h"
#include "saver/image_list.h"
#include "saver/win32/paint_photo.h"
#include "saver/win32/resource_ids.h"
#include "saver/win32/settings_variables.h"
#include "shared/text_forms.h"
#include "settings/win32/registry_store.h"

namespace lumiroll {
namespace {

constexpr float kTextPoints = 8.25f;

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

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
  void OnCommand(int id, int notification);
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
  void SelectOption(int firstId, std::int16_t index);

  [[nodiscard]] HWND Control(int id) const { return ::GetDlgItem(hwnd(), id); }

  Settings& settings_ = SettingsVariables;
  UINT dpi_ = 96;
  UniqueFont font_;
  UniqueBitmap monitorPicture_;
  std::wstring dir1Path_;
  std::vector<FolderRow> dir1Rows_;
  std::vector<std::wstring> file1Names_;
  std::vector<DriveChoice> drives_;
  HWND lastFocus_ = nullptr;  // not owned: a child control
  PictureSurface Picture1;
  PictureBox Picture2;
};

bool SettingsDialog::Create() {
  const WindowOptions options = FixedDialogOptions(L"LumirollSettings", kSettingsDialogTitle);
  if (!Window::Create(options)) return false;
  dpi_ = ::GetDpiForWindow(hwnd());
  SizeAndCentre(hwnd(), kSettingsDialogWidth, kSettingsDialogHeight);
  font_ = CreateDialogFont(kTextPoints, dpi_);
  CreateControls();
  return true;
}

void SettingsDialog::CreateControls() {
  const auto table = SettingsDialogLayout();
  for (const ControlLayout& row : table) {
    if (row.kind == LayoutKind::Preview) {
      // Black, with a thin border, over the monitor drawing's screen.
      if (Picture1.CreateSurface(hwnd(), ScaledClientRectangle(table, row, dpi_), RGB(0, 0, 0), WS_BORDER)) {
        ::SetWindowLongPtrW(Picture1.hwnd(), GWLP_ID, row.id);
        ::SetWindowPos(Picture1.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
      continue;
    }
    CreateLayoutControl(hwnd(), table, row, dpi_, font_.get());
  }
  ::SendMessageW(Control(kIdText1), EM_LIMITTEXT, 2, 0);
  monitorPicture_.reset(static_cast<HBITMAP>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_MONITOR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  ::SendMessageW(Control(kIdPicture0), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(monitorPicture_.get()));
  FitDropDownHeight(Control(kIdDrive1), table, *FindControl(table, L"Drive1"), dpi_);
  Picture2.SetDrawBound({Picture1.ScaleWidth(), Picture1.ScaleHeight()});
}

void SettingsDialog::Form_Load() {
  HCURSOR normal = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  (void)UseColourProfileOfMonitorShowing(hwnd());  // the preview takes the colours of its monitor
  FillUnsetSettings(settings_);
  ::SetWindowTextW(Control(kIdText1), NumberText(settings_.PhotoDisplayTime).c_str());
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
  SelectOption(kIdOption1Index1, settings_.PhotoSize);
  if (settings_.PhotoSize == kFitScreen || settings_.PhotoSize == kActualSize) Option1_Click(settings_.PhotoSize);
  SelectOption(kIdOption2Index1, settings_.PhotoOrder);
  ::SetCursor(normal ? normal : ::LoadCursorW(nullptr, IDC_ARROW));
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetForegroundWindow(hwnd());
  ::SetFocus(Control(kIdDir1));
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
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
        ::SetFocus(lastFocus_ && ::IsWindow(lastFocus_) ? lastFocus_ : Control(kIdDir1));
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
  }
  return DefaultHandling(message, wParam, lParam);
}

void SettingsDialog::OnCommand(int id, int notification) {
  switch (id) {
    case kIdCommandOK:
      // Enter in the folder list opens the highlighted folder rather than pressing OK.
      if (::GetFocus() == Control(kIdDir1)) return OpenHighlightedFolder();
      return CommandOK_Click();
    case kIdCommandCancel:
      return CommandCancel_Click();
    case kIdCommandAbout:
      return CommandAbout_Click();
    case kIdDir1:
      if (notification == LBN_DBLCLK) OpenHighlightedFolder();
      return;
    case kIdDrive1:
      if (notification == CBN_SELCHANGE) Drive1_Change();
      return;
    case kIdFile1:
      if (notification == LBN_SELCHANGE) File1_Click();
      return;
    case kIdOption1Index1:
    case kIdOption1Index2:
      if (notification == BN_CLICKED) Option1_Click(static_cast<std::int16_t>(id - kIdOption1Index1 + 1));
      return;
    case kIdOption2Index1:
    case kIdOption2Index2:
      if (notification == BN_CLICKED) Option2_Click(static_cast<std::int16_t>(id - kIdOption2Index1 + 1));
      return;
  }
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
  UniqueFont font = CreateDialogFont(kTextPoints, dpi_);
  for (const ControlLayout& row : table)
    if (HWND control = Control(row.id)) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  font_ = std::move(font);  // the old font only once no control uses it
  PlaceForDpi(hwnd(), table, kSettingsDialogWidth, kSettingsDialogHeight, dpi_, suggested);
  ::SendMessageW(Control(kIdDir1), LB_SETITEMHEIGHT, 0, FolderRowHeight(dpi_));
  FitDropDownHeight(Control(kIdDrive1), table, *FindControl(table, L"Drive1"), dpi_);
  Picture2.SetDrawBound({Picture1.ScaleWidth(), Picture1.ScaleHeight()});
  File1_Click();
  ::InvalidateRect(hwnd(), nullptr, TRUE);
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
  HWND dir1 = Control(kIdDir1);
  ::SendMessageW(dir1, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(dir1, LB_RESETCONTENT, 0, 0);
  int openRow = 0;
  for (std::size_t i = 0; i < dir1Rows_.size(); ++i) {
    ::SendMessageW(dir1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(dir1Rows_[i].text.c_str()));
    if (dir1Rows_[i].open) openRow = static_cast<int>(i);
  }
  ::SendMessageW(dir1, LB_SETCURSEL, static_cast<WPARAM>(openRow), 0);
  ::SendMessageW(dir1, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(dir1, nullptr, TRUE);
}

void SettingsDialog::OpenHighlightedFolder() {
  const LRESULT row = ::SendMessageW(Control(kIdDir1), LB_GETCURSEL, 0, 0);
  if (row == LB_ERR || static_cast<std::size_t>(row) >= dir1Rows_.size()) return;
  const std::wstring path = dir1Rows_[static_cast<std::size_t>(row)].path;
  SetDir1Path(path);
}

void SettingsDialog::FillFile1() {
  file1Names_ = MatchingFileNames(ReadFolderEntries(dir1Path_), ImagePattern);
  HWND file1 = Control(kIdFile1);
  ::SendMessageW(file1, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(file1, LB_RESETCONTENT, 0, 0);
  for (const std::wstring& name : file1Names_)
    ::SendMessageW(file1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  ::SendMessageW(file1, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(file1, nullptr, TRUE);
}

void SettingsDialog::SelectFirstFile() {
  if (file1Names_.empty()) return;
  ::SendMessageW(Control(kIdFile1), LB_SETCURSEL, 0, 0);
  File1_Click();
}

void SettingsDialog::FillDrive1(wchar_t startingDrive) {
  drives_ = ListDrives();
  std::vector<wchar_t> letters;
  HWND drive1 = Control(kIdDrive1);
  for (const DriveChoice& drive : drives_) {
    ::SendMessageW(drive1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.text.c_str()));
    letters.push_back(drive.letter);
  }
  const wchar_t shown = DriveToShow(dir1Path_, letters, startingDrive);
  for (std::size_t i = 0; i < letters.size(); ++i)
    if (letters[i] == shown) ::SendMessageW(drive1, CB_SETCURSEL, i, 0);
}

void SettingsDialog::SelectOption(int firstId, std::int16_t index) {
  for (int i = 1; i <= 2; ++i)
    ::SendMessageW(Control(firstId + i - 1), BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SettingsDialog::Drive1_Change() {
  const LRESULT chosen = ::SendMessageW(Control(kIdDrive1), CB_GETCURSEL, 0, 0);
  if (chosen == CB_ERR || static_cast<std::size_t>(chosen) >= drives_.size()) return;
  const wchar_t drive[] = {drives_[static_cast<std::size_t>(chosen)].letter, L':', L'\0'};
  SetDir1Path(drive);  // a drive that is not ready leaves Dir1 where it was
}

void SettingsDialog::Dir1_Change() {
  FillFile1();
  if (file1Names_.empty()) {
    Picture1.Clear();
    return;
  }
  SelectFirstFile();
}

void SettingsDialog::File1_Click() {
  if (file1Names_.empty()) return;
  const LRESULT selected = ::SendMessageW(Control(kIdFile1), LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR || static_cast<std::size_t>(selected) >= file1Names_.size()) return;
  const float scale = PreviewScale(settings_.PhotoSize, Picture1.ScaleWidth(), ::GetSystemMetrics(SM_CXSCREEN));
  Picture2.SetDrawBound({Picture1.ScaleWidth(), Picture1.ScaleHeight(), scale});
  Picture2.LoadPicture(FileInFolder(dir1Path_, file1Names_[static_cast<std::size_t>(selected)]));
  if (Picture2.HasPicture()) {
    PaintPhoto(Picture2, Picture1, scale);
  } else {
    Picture1.Clear();  // nothing loaded since the dialog opened: the preview stays black
  }
}

void SettingsDialog::Option1_Click(std::int16_t index) {
  settings_.PhotoSize = index;
  File1_Click();
}

void SettingsDialog::Option2_Click(std::int16_t index) { settings_.PhotoOrder = index; }

void SettingsDialog::CommandOK_Click() {
  HWND text1 = Control(kIdText1);
  const std::wstring delay = WindowText(text1);
  const DelayVerdict verdict = CheckPhotoDelay(delay);
  if (!verdict.accepted) {
    ShowMessage(verdict.message, kDialogErrorTitle, hwnd());
    ::SetFocus(text1);
    ::SendMessageW(text1, EM_SETSEL, 0, -1);
    return;
  }
  settings_.PhotoDirectory = dir1Path_;
  settings_.PhotoDisplayTime = verdict.seconds;
  RegistrySettingsStore store;
  const std::vector<std::wstring_view> unsaved = SaveSettings(store, settings_);
  if (!unsaved.empty()) ShowMessage(SettingsNotSavedMessage(unsaved), kSettingsErrorTitle, hwnd());
  const LargeImageWarning warning = FindLargeImage(settings_.PhotoDirectory, file1Names_,
                                                 [](const std::wstring& path) { return RealFileSystem().SizeOf(path); });
  if (warning != LargeImageWarning::None) ShowMessage(LargeImageWarningText(warning), kDialogWarningTitle, hwnd());
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
