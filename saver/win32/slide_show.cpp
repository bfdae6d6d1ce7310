#include "saver/win32/slide_show.h"

#include "platform/cloud_files.h"
#include "platform/millisecond_clock.h"
#include "platform/process.h"
#include "platform/win32/message_box.h"
#include "saver/config/win32/settings_dialog.h"
#include "saver/downloads.h"
#include "saver/image_list.h"
#include "saver/win32/paint_photo.h"
#include "saver/win32/password.h"
#include "saver/win32/settings_variables.h"
#include "saver/win32/show_counters.h"
#include "saver/win32/show_events.h"
#include "saver/win32/show_loader.h"
#include "saver/win32/thank_you.h"
#include "settings/win32/registry_store.h"
#include "shared/message_titles.h"
#include "shared/text_forms.h"

namespace lumiroll {
namespace {

double DisplayTimeInTheStore() {
  return NumericReading(ReadSettingText(RegistrySettingsStore(), kPhotoDisplayTimeKey));
}

}  // namespace

int SlideShow::Run() {
  if (!Form1.CreateHidden()) return 0;
  Form1.ShowForm();
  covered_ = true;
  CountCovered();
  start_ = AwaitShowImages(SettingsVariables);  // input meanwhile ends the program
  if (start_.ImageCount < 1) EndWithFolderMessage();
  start_.UsePassword = ReadUsePassword();
  // Form2 opens over the cover, which keeps the desktop hidden until the dialog ends the program.
  if (!SettingsComplete(SettingsVariables)) return RunSettingsDialog(Form1.hwnd());
  if (start_.UsePassword == 1) SetScreenSaverRunning(true);
  engine_.emplace(show_, start_.ImageCount, SettingsVariables.PhotoSize);
  show_.PhotoDisplayTime = SettingsVariables.PhotoDisplayTime;
  shown_ = true;
  // Without a window manager the window may never be told it is active; start the show anyway.
  StartShowOnce();
  return RunShow();
}

// Told over the cover, so that the desktop stays hidden until the user has answered.
void SlideShow::EndWithFolderMessage() {
  ShowMessage(ImageFolderMessage(start_.ImageCount, SettingsVariables.PhotoDirectory), kErrorTitle, Form1.hwnd());
  Form_Unload();
  EndProgram();
}

// The show starts once: later activations (after the password dialog, say) start nothing and
// hide the pointer no further.
void SlideShow::StartShowOnce() {
  if (showStarted_ || !shown_) return;
  showStarted_ = true;
  Form1.PostStart();
}

int SlideShow::RunShow() {
  ShowLoader loading;  // the show's end ends the program with its loads, never waiting for them
  feed_.emplace(*engine_, loading.loader(), [this](const ShowCycle& cycle) { return RequestFor(cycle); });
  // Online-only photographs download apart and are passed over until they have arrived.
  Downloads downloads(&DownloadWhole, [arrived = loading.FinishedEvent()] { ::SetEvent(arrived); });
  MarkOnlineOnly(downloads, start_.ImageNames, start_.OnlineOnly,
                 [](const std::wstring& name) { return ImagePath(SettingsVariables.PhotoDirectory, name); });
  feed_->PassOver([&downloads](std::int16_t image) { return downloads.Available(image); });
  const int exitCode = RunShowEvents(
      *engine_, loading.FinishedEvent(), [this] { return RunDueCycle(); },
      [this](std::uint32_t now) { return feed_->Watch(now); });
  feed_.reset();
  return exitCode;
}

void SlideShow::Form_Activate() {
  Form1.HidePointer(true);
  engine_->Begin(MillisecondClock());
}

// Paints the due cycle once its picture is ready and starts its wait; until then the picture on
// the screen stays and the loop goes on answering input.
bool SlideShow::RunDueCycle() {
  if (!feed_) return false;
  const std::optional<ReadyCycle> ready = feed_->TakeDue();
  if (!ready) return false;
  // A picture that fails to load leaves the previous one, painted again.
  if (ready->decoded && ready->decoded->picture) Picture1 = {ready->decoded, &*ready->decoded->picture};
  if (ready->cycle.paint) {
    scale_ = ready->cycle.scale;
    PaintPhoto(Picture1.get(), Form1.Surface(), scale_);
    CountPaint();
  }
  feed_->Painted(MillisecondClock());
  return true;
}

DecodeRequest SlideShow::RequestFor(const ShowCycle& cycle) const {
  const ScreenRect& primary = Form1.PictureArea();
  // A photograph never shows more pixels than the monitor has: decode no more.
  return {cycle.image,
          ImagePath(SettingsVariables.PhotoDirectory, start_.ImageNames[cycle.image - 1]),
          {primary.width(), primary.height(), cycle.scale},
          Form1.PictureProfile()};
}

void SlideShow::picture2_KeyDown(WORD keyCode) {
  if (ended_ || asking_) return;       // a key heard behind another program while the password dialog asks
  if (!shown_) return RequestClose();  // behind the cover, before the show: every key ends it
  switch (lumiroll::picture2_KeyDown(show_, keyCode, &DisplayTimeInTheStore)) {
    case KeyAction::CloseRequest: RequestClose(); break;
    case KeyAction::ShowThankYou: PaintPhoto(Form4::Picture1(), Form1.Surface(), 1.0f); break;
    case KeyAction::None: break;
  }
}

void SlideShow::picture2_MouseMove(int x, int y) {
  if (ended_) return;
  if (lumiroll::picture2_MouseMove(show_, static_cast<float>(x), static_cast<float>(y))) RequestClose();
}

void SlideShow::RequestClose() {
  if (ended_) return;
  if (!Form_QueryUnload()) {
    Form_Unload();
    return;
  }
  Form1.TakeFocusBack();  // refused: the show goes on, with the keys back from a program made active
}

void SlideShow::CloseRequested() {
  closePosted_ = false;
  RequestClose();
}

// Posted, so that a password dialog does not open inside the change of activation; once, however
// many times the loss is told before the close request runs.
void SlideShow::LostActivation() {
  if (asking_ || closePosted_ || !showStarted_ || ended_) return;
  closePosted_ = ::PostMessageW(Form1.hwnd(), WM_CLOSE, 0, 0) != FALSE;
}

// The photograph is painted again at once on the primary monitor as it now is; a picture made
// for the old size or the old monitor's colours is then made again for the new one (its request
// differs), and the kept ones are decoded afresh as they come round.
void SlideShow::DisplayChanged() {
  if (!covered_ || ended_) return;
  Form1.CoverDesktop();
  show_.ResetMouse = true;  // the pointer now stands elsewhere in the window: no movement of the user's
  if (Picture1) PaintPhoto(Picture1.get(), Form1.Surface(), scale_);
  if (engine_) engine_->Repeat(MillisecondClock());
}

void SlideShow::PowerChanged(PowerEvent event) {
  if (!engine_) return;
  switch (event) {
    case PowerEvent::DisplayOff: engine_->SetDisplayOn(false); break;
    case PowerEvent::DisplayOn: engine_->SetDisplayOn(true); break;
    case PowerEvent::Resumed: engine_->Resumed(); break;
    case PowerEvent::Other: break;
  }
}

bool SlideShow::Form_QueryUnload() {
  bool cancel = false;
  if (shown_ && start_.UsePassword == 1) {  // armed only once the show's checks passed
    const bool hidden = Form1.PointerHidden();
    Form1.HidePointer(false);  // the pointer shows over the password dialog
    asking_ = true;
    const bool mayEnd = VerifyScreenSavePassword(Form1.hwnd());
    asking_ = false;
    Form1.HidePointer(hidden);
    cancel = !mayEnd;
  }
  show_.ResetMouse = true;
  return cancel;
}

// The end of the show ends the program at once, from here: a load may be stuck in a read that
// never returns, and nothing may wait for it. The one-copy claim goes first, before anything that
// can take its time, so that the next start shows. The window goes with the process; hiding it
// first would only add the window system's own wait (2 s under Wine without a window manager).
void SlideShow::Form_Unload() {
  ended_ = true;
  if (engine_) engine_->Stop();
  if (covered_) ReleaseInstanceClaim();
  Form1.HidePointer(false);
  std::vector<std::wstring>().swap(start_.ImageNames);
  if (shown_ && start_.UsePassword == 1) SetScreenSaverRunning(false);
  EndProgram();
}

}  // namespace lumiroll
