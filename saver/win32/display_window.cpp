// Form1: the full-screen window of the show and its slide-show loop.
#include "saver/win32/display_window.h"

#include <windows.h>
#include <windowsx.h>

#include <timeapi.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/folder_reader.h"
#include "platform/picture.h"
#include "platform/process.h"
#include "platform/win32/display_profile.h"
#include "platform/win32/message_box.h"
#include "platform/win32/window.h"
#include "saver/config/win32/settings_dialog.h"
#include "saver/image_list.h"
#include "saver/monitor_layout.h"
#include "saver/picture_feed.h"
#include "saver/show_engine.h"
#include "saver/show_state.h"
#include "saver/win32/display_power.h"
#include "saver/win32/monitors.h"
#include "saver/win32/paint_photo.h"
#include "saver/win32/password.h"
#include "saver/win32/settings_variables.h"
#include "saver/win32/show_counters.h"
#include "saver/win32/show_events.h"
#include "saver/win32/show_pictures.h"
#include "saver/win32/show_surface.h"
#include "saver/win32/thank_you.h"
#include "settings/win32/registry_store.h"
#include "shared/message_titles.h"
#include "shared/text_forms.h"

namespace lumiroll {
namespace {

constexpr wchar_t kApplicationTitle[] = L"SCRNSAVE: Lumiroll Screen Saver";
// Starts the show once the window is active, from the event loop rather than inside activation.
constexpr UINT kStartShow = WM_APP + 1;

RECT ToRect(const ScreenRect& r) { return {r.left, r.top, r.right, r.bottom}; }

double StoredDisplayTime() { return NumericReading(ReadSettingText(RegistrySettingsStore(), kPhotoDisplayTimeKey)); }

enum class FormStart { Ended, SettingsDialog, Showing };

class DisplayWindow final : public Window, private ShowInput {
 public:
  [[nodiscard]] bool CreateHidden();
  [[nodiscard]] FormStart Form_Load();
  // The show's event loop, until the show has ended; the exit code.
  [[nodiscard]] int RunShow();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ShowForm();
  void StartShowOnce();
  void Form_Activate();
  [[nodiscard]] bool RunDueCycle();
  [[nodiscard]] DecodeRequest RequestFor(const ShowCycle& cycle) const;

  void RequestClose();
  // Another program's window became active: the show ends as on any close request.
  void LostActivation();
  // The desktop's monitors changed: black over all of them again, the photograph on the primary.
  void DisplayChanged();
  [[nodiscard]] LRESULT PowerBroadcast(WPARAM wParam, LPARAM lParam);
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
  std::optional<ShowEngine> engine_;        // once the image list is known
  std::optional<PictureFeed> feed_;         // while RunShow runs
  std::shared_ptr<const Picture> Picture1;  // the picture last loaded; kept when a load fails
  float scale_ = 0.0f;                      // Picture1's on the screen
  std::optional<DisplayPowerNotifications> power_;
  ShowSurface Picture2{*this};
  ShowLayout layout_;
  bool shown_ = false;
  bool showStarted_ = false;
  bool pointerHidden_ = false;
  bool ended_ = false;        // the close was granted: input is no longer the show's
  bool asking_ = false;       // the password dialog is open: losing activation to it is no close
  bool closePosted_ = false;  // for a lost activation, not yet handled
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
  if (!Create(options) || !Picture2.CreateSurface(hwnd(), ToRect(layout_.picture2), RGB(0, 0, 0))) return false;
  power_.emplace(hwnd());
  return true;
}

FormStart DisplayWindow::Form_Load() {
  const Settings& settings = SettingsVariables;
  BuildImageList(settings.PhotoDirectory, ImagePattern, ImageCount, ImageNames, FileSystemFolderReader());
  if (ImageCount < 1) {
    ShowMessage(ImageFolderMessage(ImageCount, settings.PhotoDirectory), kErrorTitle);
    return FormStart::Ended;
  }
  if (settings.PhotoOrder == kRandom) ShuffleImages(ImageNames);
  UsePassword = ReadUsePassword();
  if (!SettingsComplete(settings)) return FormStart::SettingsDialog;
  if (UsePassword == 1) SetScreenSaverRunning(true);
  engine_.emplace(show_, ImageCount, settings.PhotoSize);
  ShowForm();
  return FormStart::Showing;
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

// The show starts once: later activations (after the password dialog, say) start nothing and
// hide the pointer no further.
void DisplayWindow::StartShowOnce() {
  if (showStarted_ || !shown_) return;
  showStarted_ = true;
  ::PostMessageW(hwnd(), kStartShow, 0, 0);
}

int DisplayWindow::RunShow() {
  ShowPictures pictures;  // the show's end ends the program with its loads, never waiting for them
  feed_.emplace(*engine_, pictures.loader(), [this](const ShowCycle& cycle) { return RequestFor(cycle); });
  const int exitCode = RunShowEvents(
      *engine_, pictures.FinishedEvent(), [this] { return RunDueCycle(); },
      [this](std::uint32_t now) { return feed_->Watch(now); });
  feed_.reset();
  return exitCode;
}

void DisplayWindow::Form_Activate() {
  ::ShowCursor(FALSE);
  pointerHidden_ = true;
  Picture2.Move(ToRect(layout_.picture2));
  (void)UseColourProfileOfMonitorShowing(Picture2.hwnd());  // pictures take the colours of its monitor
  ::SetFocus(Picture2.hwnd());
  engine_->Begin(::timeGetTime());
}

// Paints the due cycle once its picture is ready and starts its wait; until then the picture on
// the screen stays and the loop goes on answering input.
bool DisplayWindow::RunDueCycle() {
  if (!feed_) return false;
  const std::optional<ReadyCycle> ready = feed_->TakeDue();
  if (!ready) return false;
  // A picture that fails to load leaves the previous one, painted again.
  if (ready->decoded && ready->decoded->picture) Picture1 = {ready->decoded, &*ready->decoded->picture};
  if (ready->cycle.paint) {
    scale_ = ready->cycle.scale;
    PaintPhoto(Picture1.get(), Picture2, scale_);
    CountPaint();
  }
  feed_->Painted(::timeGetTime());
  return true;
}

DecodeRequest DisplayWindow::RequestFor(const ShowCycle& cycle) const {
  const ScreenRect& primary = layout_.picture2;
  // A photograph never shows more pixels than the monitor has: decode no more.
  return {cycle.image,
          ImagePath(SettingsVariables.PhotoDirectory, ImageNames[cycle.image - 1]),
          {primary.width(), primary.height(), cycle.scale}};
}

void DisplayWindow::picture2_KeyDown(WORD keyCode) {
  if (ended_) return;
  switch (lumiroll::picture2_KeyDown(show_, keyCode, &StoredDisplayTime)) {
    case KeyAction::CloseRequest: RequestClose(); break;
    case KeyAction::ShowThankYou: PaintPhoto(Form4::Picture1(), Picture2, 1.0f); break;
    case KeyAction::None: break;
  }
}

void DisplayWindow::picture2_MouseMove(int x, int y) {
  if (ended_) return;
  if (lumiroll::picture2_MouseMove(show_, static_cast<float>(x), static_cast<float>(y))) RequestClose();
}

void DisplayWindow::RequestClose() {
  if (ended_) return;
  if (!Form_QueryUnload()) {
    Form_Unload();
    return;
  }
  // Refused: the show goes on, and takes the keys back from a program that was made active.
  ::SetForegroundWindow(hwnd());
  ::SetFocus(Picture2.hwnd());
}

// Posted, so that a password dialog does not open inside the change of activation; once, however
// many times the loss is told before the close request runs.
void DisplayWindow::LostActivation() {
  if (asking_ || closePosted_ || !showStarted_ || ended_) return;
  closePosted_ = ::PostMessageW(hwnd(), WM_CLOSE, 0, 0) != FALSE;
}

// The window covers the new desktop and the photograph is painted again at once on the primary
// monitor as it now is; a picture made for the old size is then made again for the new one.
void DisplayWindow::DisplayChanged() {
  if (!shown_ || ended_) return;
  layout_ = LayoutShow(DisplayMonitors(), PrimaryScreen());
  const ScreenRect& area = layout_.window;
  ::SetWindowPos(hwnd(), HWND_TOPMOST, area.left, area.top, area.width(), area.height(), SWP_NOACTIVATE);
  Picture2.Move(ToRect(layout_.picture2));
  (void)UseColourProfileOfMonitorShowing(Picture2.hwnd());
  show_.ResetMouse = true;  // the pointer now stands elsewhere in the window: no movement of the user's
  if (Picture1) PaintPhoto(Picture1.get(), Picture2, scale_);
  if (engine_) engine_->Repeat(::timeGetTime());
}

LRESULT DisplayWindow::PowerBroadcast(WPARAM wParam, LPARAM lParam) {
  if (!engine_) return TRUE;
  switch (ReadPowerBroadcast(wParam, lParam)) {
    case PowerEvent::DisplayOff: engine_->SetDisplayOn(false); break;
    case PowerEvent::DisplayOn: engine_->SetDisplayOn(true); break;
    case PowerEvent::Resumed: engine_->Resumed(); break;
    case PowerEvent::Other: break;
  }
  return TRUE;
}

bool DisplayWindow::Form_QueryUnload() {
  bool cancel = false;
  if (UsePassword == 1) {
    ::ShowCursor(TRUE);  // the pointer shows over the password dialog
    asking_ = true;
    const bool mayEnd = VerifyScreenSavePassword(hwnd());
    asking_ = false;
    ::ShowCursor(FALSE);
    cancel = !mayEnd;
  }
  show_.ResetMouse = true;
  return cancel;
}

// The end of the show ends the program at once, from here: a load may be stuck in a read that
// never returns, and nothing may wait for it. The one-copy claim goes first, before anything that
// can take its time, so that the next start shows. The window goes with the process; hiding it
// first would only add the window system's own wait (2 s under Wine without a window manager).
void DisplayWindow::Form_Unload() {
  ended_ = true;
  if (engine_) engine_->Stop();
  if (shown_) ReleaseInstanceClaim();
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
    case kStartShow: Form_Activate(); return 0;
    case WM_CLOSE:  // from the desktop, or for a lost activation
      closePosted_ = false;
      RequestClose();
      return 0;
    case WM_ACTIVATEAPP:
      if (!wParam) LostActivation();
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;  // already showing
      break;
    case WM_DISPLAYCHANGE: DisplayChanged(); break;
    case WM_POWERBROADCAST: return PowerBroadcast(wParam, lParam);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: Form_KeyDown(); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN: Form_Click(); return message == WM_XBUTTONDOWN ? TRUE : 0;
    case WM_MOUSEMOVE:
      // Over another monitor: the same rule, in Picture2's coordinates, so moving the pointer
      // there ends the show too.
      picture2_MouseMove(GET_X_LPARAM(lParam) - layout_.picture2.left, GET_Y_LPARAM(lParam) - layout_.picture2.top);
      return 0;
    default: break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace

int RunDisplayWindow() {
  DisplayWindow form;
  if (!form.CreateHidden()) return 0;
  switch (form.Form_Load()) {
    case FormStart::Ended: return 0;
    case FormStart::SettingsDialog:
      // Form2 opens, then Form1 closes; the program goes on as long as Form2 does.
      return RunSettingsDialog([&form] { ::PostMessageW(form.hwnd(), WM_CLOSE, 0, 0); });
    case FormStart::Showing: break;
  }
  return form.RunShow();
}

}  // namespace lumiroll
