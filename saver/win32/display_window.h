#pragma once
// Form1, the show's full-screen window: black over every monitor, Picture2 on the primary one.
// It turns input and the desktop's events into the show's events; the show decides.
#include <windows.h>

#include <optional>

#include "platform/display_profile.h"
#include "platform/win32/background_input.h"
#include "platform/win32/window.h"
#include "saver/monitor_layout.h"
#include "saver/win32/display_power.h"
#include "saver/win32/show_surface.h"

namespace lumiroll {

class ShowWindowEvents : public ShowInput {
 public:
  virtual void Activated() = 0;      // the window became active
  virtual void Form_Activate() = 0;  // after PostStart, with Picture2 in place: the show begins
  virtual void Form_KeyDown() = 0;
  virtual void Form_Click() = 0;
  virtual void CloseRequested() = 0;  // WM_CLOSE: from the desktop, or posted for a lost activation
  virtual void LostActivation() = 0;  // another program's window became active
  virtual void DisplayChanged() = 0;
  virtual void PowerChanged(PowerEvent event) = 0;
};

class DisplayWindow final : public Window {
 public:
  explicit DisplayWindow(ShowWindowEvents& events) : events_(events), Picture2(events) {}

  // Over the desktop's monitors as they are now, not yet shown.
  [[nodiscard]] bool CreateHidden();
  void ShowForm();
  // Form_Activate follows from the event loop rather than inside the activation.
  void PostStart();
  // After a change of the desktop: black over all of it again, Picture2 on the primary monitor.
  void CoverDesktop();
  // After a refused close: the keys come back to the show from a program that was made active.
  void TakeFocusBack();
  // The pointer hidden over the show (the desktop's count and the show's own answer to
  // WM_SETCURSOR, which holds where the count starts otherwise, as with no mouse installed), or
  // shown again.
  void HidePointer(bool hide);
  [[nodiscard]] bool PointerHidden() const { return pointerHidden_; }

  [[nodiscard]] ShowSurface& Surface() { return Picture2; }
  // Picture2's place on the desktop: its size bounds the decodes.
  [[nodiscard]] const ScreenRect& PictureArea() const { return layout_.picture2; }
  // The colour profile of Picture2's monitor, as of its last placing: the target of its decodes.
  [[nodiscard]] const DisplayProfile& PictureProfile() const { return pictureProfile_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void PlacePicture2();

  ShowWindowEvents& events_;
  ShowSurface Picture2;
  ShowLayout layout_;
  DisplayProfile pictureProfile_;
  std::optional<DisplayPowerNotifications> power_;
  bool pointerHidden_ = false;
};

}  // namespace lumiroll
