#include "saver/config/win32/settings_dialog.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/win32/controls.h"
#include "platform/win32/message_box.h"
#include "platform/win32/modeless_dialog.h"
#include "platform/win32/monitor_profile.h"
#include "saver/config/delay_check.h"
#include "saver/config/large_image_check.h"
#include "saver/config/preview_pictures.h"
#include "saver/config/settings_dialog_layout.h"
#include "saver/config/unset_settings.h"
#include "saver/config/win32/about_box.h"
#include "saver/config/win32/folder_browser.h"
#include "saver/config/win32/preview_pane.h"
#include "saver/resource_ids.h"
#include "saver/show_state.h"
#include "saver/win32/settings_variables.h"
#include "settings/win32/registry_store.h"
#include "shared/text_forms.h"

namespace lumiroll {
namespace {

// Form2: the settings and their checks and saving; the folder lists and the preview are panes of
// their own, told what the user chose.
class SettingsDialog final : public ModelessDialog {
 public:
  // Over the show's cover (null: none), owned by it.
  explicit SettingsDialog(HWND cover);
  bool Create();
  void Form_Load();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  [[nodiscard]] HWND FirstFocus() const override { return folders_.FolderList(); }
  void OnDpiChanged() override;
  void OnClosed() override { EndWhenBothClosed(); }

 private:
  void ConnectControls();
  void Preview(const std::optional<ChosenFile>& file);

  void Option1_Click(std::int16_t index);
  void Option2_Click(std::int16_t index);
  void CommandOK_Click();
  [[noreturn]] void CommandCancel_Click();
  void CommandAbout_Click();
  void EndWhenBothClosed();

  void SelectOption(const OptionButton (&options)[2], std::int16_t index);
  [[nodiscard]] PreviewMode ShownMode() const { return PreviewModeOf(settings_.PhotoSize); }
  [[nodiscard]] RECT Picture1Rect() const;

  Settings& settings_ = SettingsVariables;
  EditBox Text1{nullptr, kIdText1};
  OptionButton Option1[2]{{nullptr, kIdOption1Index1}, {nullptr, kIdOption1Index2}};
  OptionButton Option2[2]{{nullptr, kIdOption2Index1}, {nullptr, kIdOption2Index2}};
  Button CommandOK{nullptr, kIdCommandOK}, CommandCancel{nullptr, kIdCommandCancel},
      CommandAbout{nullptr, kIdCommandAbout};
  HWND cover_;  // not owned; null when the dialog is not over the show's cover
  FolderBrowser folders_{[this](const std::optional<ChosenFile>& file) { Preview(file); }};
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
  ConnectControls();
  // Without its picture box the dialog still works: the preview is all that is missing.
  (void)Picture1.Create(hwnd(), kIdPicture1, Picture1Rect(), ShownMode());
  Text1.LimitText(2);
  return true;
}

RECT SettingsDialog::Picture1Rect() const { return ClientRect(*FindControl(SettingsDialogLayout(), L"Picture1")); }

void SettingsDialog::ConnectControls() {
  const std::reference_wrapper<ControlHandle> handles[] = {Text1,      Option1[0], Option1[1],    Option2[0],
                                                           Option2[1], CommandOK,  CommandCancel, CommandAbout};
  for (ControlHandle& handle : handles) handle.Attach(hwnd());
  folders_.Attach(hwnd(), Callbacks());
  CommandOK.OnClick(Callbacks(), [this] {
    if (!folders_.OpenOnEnter()) CommandOK_Click();
  });
  CommandCancel.OnClick(Callbacks(), [this] { CommandCancel_Click(); });
  CommandAbout.OnClick(Callbacks(), [this] { CommandAbout_Click(); });
  for (std::int16_t index : {std::int16_t{1}, std::int16_t{2}}) {
    Option1[index - 1].OnClick(Callbacks(), [this, index] { Option1_Click(index); });
    Option2[index - 1].OnClick(Callbacks(), [this, index] { Option2_Click(index); });
  }
}

void SettingsDialog::Form_Load() {
  HCURSOR normal = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  Picture1.UseColoursOf(ProfileOfMonitorShowing(hwnd()));  // the preview takes the colours of its monitor
  FillUnsetSettings(settings_);
  Text1.SetText(NumberText(settings_.PhotoDisplayTime));
  // The dialog opens at once, whatever the folder's share does.
  folders_.Start(settings_.PhotoDirectory);
  SelectOption(Option1, settings_.PhotoSize);
  if (settings_.PhotoSize == kFitScreen || settings_.PhotoSize == kActualSize) Option1_Click(settings_.PhotoSize);
  SelectOption(Option2, settings_.PhotoOrder);
  ::SetCursor(normal ? normal : ::LoadCursorW(nullptr, IDC_ARROW));
  Show();
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const std::optional<LRESULT> result = folders_.HandleMessage(message, lParam, Dpi())) return *result;
  return ModelessDialog::HandleMessage(message, wParam, lParam);
}

void SettingsDialog::OnDpiChanged() {
  Picture1.MoveTo(Picture1Rect());
  folders_.OnDpiChanged(Dpi());
}

// The preview keeps what it shows until the chosen file is decoded.
void SettingsDialog::Preview(const std::optional<ChosenFile>& file) {
  if (file) {
    Picture1.ShowFile(file->listIndex, file->path);
  } else {
    Picture1.ShowNothing();
  }
}

void SettingsDialog::SelectOption(const OptionButton (&options)[2], std::int16_t index) {
  for (int i = 1; i <= 2; ++i) options[i - 1].SetChecked(i == index);
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
  settings_.PhotoDirectory = folders_.ChosenFolder();
  settings_.PhotoDisplayTime = verdict.seconds;
  RegistrySettingsStore store;
  const std::vector<std::wstring_view> unsaved = SaveSettings(store, settings_);
  if (!unsaved.empty()) ShowMessage(SettingsNotSavedMessage(unsaved), kErrorTitle, hwnd());
  const LargeImageWarning warning = FindLargeImage(folders_.ChosenFiles());
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
