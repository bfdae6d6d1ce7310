// Form1: the full-screen window of the show and its slide-show loop.
#include "saver/win32/display_window.h"

#include <windows.h>
#include <windowsx.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/folder_reader.h"
#include "platform/win32/display_profile.h"
#include "platform/message_box.h"
#include "platform/picture_box.h"
#include "platform/process.h"
#include "platform/window.h"
#include "saver/config/win32/settings_dialog.h"
#include "saver/image_list.h"
#include "saver/monitor_layout.h"
#include "saver/show_state.h"
#include "saver/win32/monitors.h"
#include "saver/win32/paint_photo.h"
#include "saver/win32/password.h"
#include "saver/win32/settings_variables.h"
#include "saver/win32/show_surface.h"
#include "saver/win32/thank_you.h"
#include "saver/win32/timed_wait.h"
#include "shared/text_forms.h"
#include "settings/win32/registry_store.h"

namespace lumiroll {
namespace {

constexpr wchar_t kApplicationTitle[] = L"SCRNSAVE: Lumiroll Screen Saver";
constexpr wchar_t kErrorTitle[] = L"Lumiroll Error";
// Runs the show once the window is active, from the event loop rather than inside activation.
constexpr UINT kStartShow = WM_APP + 1;

RECT ToRect(const ScreenRect& r) { return {r.left, r.top, r.right, r.bottom}; }

double StoredDisplayTime() {
  return NumericReading(ReadSettingText(RegistrySettingsStore(), kPhotoDisplayTimeKey));
}

class DisplayWindow final : public Window, private ShowInput {
 public:
  [[nodiscard]] bool CreateHidden();
  void Form_Load();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyed() override { delete this; }

 private:
  void ShowForm();
  void StartShowOnce();
  [[noreturn]] void Form_Activate();
  [[noreturn]] void RunSlideShow();

  void RequestClose();
  [[nodiscard]] bool Form_QueryUnload();  // true: Cancel, the window stays
  void Form_Unload();
  void Form_Click() { RequestClose(); }
  void Form_KeyDown() { RequestClose(); }

  void picture2_KeyDown(WORD keyCode) override;
  void picture2_Click() override { RequestClose(); }
  void picture2_MouseMove(int x, int y) override;

  std::int16_t ImageCount = 0;
  std::vector<std::wstring> ImageNames;
  std::int16_t UsePassword = 0;
  ShowState show_;
  PictureBox Picture1;
  ShowSurface Picture2{*this};
  ShowLayout layout_;
  bool shown_ = false;
  bool showStarted_ = false;
  bool pointerHidden_ = false;
};

bool DisplayWindow::CreateHidden() {
  layout_ = LayoutShow(DisplayMonitors(), PrimaryScreen());
  const ScreenRect& area = layout_.window;
  WindowOptions options;
  options.className = L"LumirollShow";
  options.caption = kApplicationTitle;
  options.style = WS_POPUP | WS_CLIPCHILDREN;
  options.exStyle = WS_EX_TOPMOST;
  options.x = area.left;
  options.y = area.top;
  options.width = area.width();
  options.height = area.height();
  options.background = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  return Create(options) && Picture2.CreateSurface(hwnd(), ToRect(layout_.picture2), RGB(0, 0, 0));
}

void DisplayWindow::Form_Load() {
  const Settings& settings = SettingsVariables;
  BuildImageList(settings.PhotoDirectory, ImagePattern, ImageCount, ImageNames, FileSystemFolderReader());
  if (ImageCount < 1) {
    ShowMessage(ImageFolderMessage(ImageCount, settings.PhotoDirectory), kErrorTitle);
    EndProgram();
  }
  if (settings.PhotoOrder == kRandom) ShuffleImages(ImageNames);
  UsePassword = ReadUsePassword();
  if (!SettingsComplete(settings)) {
    OpenSettingsDialog();
    ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
    return;
  }
  if (UsePassword == 1) SetScreenSaverRunning(true);
  ShowForm();
}

void DisplayWindow::ShowForm() {
  show_.PhotoDisplayTime = SettingsVariables.PhotoDisplayTime;
  shown_ = true;
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetForegroundWindow(hwnd());
  ::SetFocus(Picture2.hwnd());
  // Without a window manager the window may never be told it is active; start the show anyway.
  StartShowOnce();
}

// The loop runs once per show: later activations (after the password dialog, say) start
// nothing and hide the pointer no further.
void DisplayWindow::StartShowOnce() {
  if (showStarted_ || !shown_) return;
  showStarted_ = true;
  ::PostMessageW(hwnd(), kStartShow, 0, 0);
}

void DisplayWindow::Form_Activate() {
  ::ShowCursor(FALSE);
  pointerHidden_ = true;
  Picture2.Move(ToRect(layout_.picture2));
  (void)UseColourProfileOfMonitorShowing(Picture2.hwnd());  // pictures take the colours of its monitor
  ::SetFocus(Picture2.hwnd());
  show_.CurrentImage = 1;
  show_.SkipWait = 0;
  RunSlideShow();
}

void DisplayWindow::RunSlideShow() {
  const ScreenRect& primary = layout_.picture2;
  float scale = 0.0f;
  for (;;) {
    scale = ChooseScale(SettingsVariables.PhotoSize, scale);
    // A photograph never shows more pixels than the monitor has: decode no more.
    Picture1.SetDrawBound({primary.width(), primary.height(), scale});
    // A picture that fails to load leaves the previous one, painted again.
    (void)Picture1.LoadPicture(ImagePath(SettingsVariables.PhotoDirectory, ImageNames[show_.CurrentImage - 1]));
    if (ShouldPaint(show_)) PaintPhoto(Picture1, Picture2, scale);
    TimedWait(DisplayMilliseconds(show_.PhotoDisplayTime), show_.SkipWait);
    AdvanceImage(show_, ImageCount);
  }
}

void DisplayWindow::picture2_KeyDown(WORD keyCode) {
  switch (lumiroll::picture2_KeyDown(show_, keyCode, &StoredDisplayTime)) {
    case KeyAction::CloseRequest:
      RequestClose();
      break;
    case KeyAction::ShowThankYou:
      PaintPhoto(Form4::Picture1(), Picture2, 1.0f);
      break;
    case KeyAction::None:
      break;
  }
}

void DisplayWindow::picture2_MouseMove(int x, int y) {
  if (lumiroll::picture2_MouseMove(show_, static_cast<float>(x), static_cast<float>(y))) RequestClose();
}

void DisplayWindow::RequestClose() {
  if (Form_QueryUnload()) return;
  Form_Unload();
}

bool DisplayWindow::Form_QueryUnload() {
  bool cancel = false;
  if (UsePassword == 1) {
    ::ShowCursor(TRUE);  // the pointer shows over the password dialog
    const bool mayEnd = VerifyScreenSavePassword(hwnd());
    ::ShowCursor(FALSE);
    cancel = !mayEnd;
  }
  show_.ResetMouse = true;
  return cancel;
}

void DisplayWindow::Form_Unload() {
  if (pointerHidden_) ::ShowCursor(TRUE);
  std::vector<std::wstring>().swap(ImageNames);
  if (UsePassword == 1) SetScreenSaverRunning(false);
  // The settings dialog opened for incomplete settings outlives the window that was never shown.
  if (!shown_) {
    ::DestroyWindow(hwnd());
    return;
  }
  EndProgram();
}

LRESULT DisplayWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) StartShowOnce();
      break;
    case WM_SETFOCUS:
      if (Picture2.hwnd()) ::SetFocus(Picture2.hwnd());
      return 0;
    case kStartShow:
      Form_Activate();  // never returns: the show runs until the program ends
    case WM_CLOSE:  // from the desktop
      RequestClose();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Form_KeyDown();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      Form_Click();
      return message == WM_XBUTTONDOWN ? TRUE : 0;
    case WM_MOUSEMOVE:
      // Over another monitor: the same rule, in Picture2's coordinates, so moving the pointer
      // there ends the show too.
      picture2_MouseMove(GET_X_LPARAM(lParam) - layout_.picture2.left, GET_Y_LPARAM(lParam) - layout_.picture2.top);
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace

void OpenDisplayWindow() {
  auto* form = new DisplayWindow;  // deletes itself when its window is destroyed
  if (!form->CreateHidden()) {
    if (!form->hwnd()) delete form;
    else ::DestroyWindow(form->hwnd());
    return;
  }
  form->Form_Load();
}

}  // namespace lumiroll
