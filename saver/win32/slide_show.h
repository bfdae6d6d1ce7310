#pragma once
// The show itself: its state and engine, the loader's pictures, the painting, and Form1's close
// and password path, beside the window that brings it its events.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "saver/picture_feed.h"
#include "saver/show_engine.h"
#include "saver/show_state.h"
#include "saver/win32/display_window.h"
#include "saver/win32/show_start.h"

namespace lumiroll {

class SlideShow final : private ShowWindowEvents {
 public:
  // Covers the desktop with Form1 first, builds the image list behind it and runs the show until
  // it ends; the exit code. A missing or empty folder is told, and incomplete settings open the
  // settings dialog, over the cover, which stays until the user has answered.
  [[nodiscard]] int Run();

 private:
  [[noreturn]] void EndWithFolderMessage();
  [[nodiscard]] int RunShow();
  void StartShowOnce();
  [[nodiscard]] bool RunDueCycle();
  [[nodiscard]] DecodeRequest RequestFor(const ShowCycle& cycle) const;
  void RequestClose();
  [[nodiscard]] bool Form_QueryUnload();  // true: Cancel, the window stays
  void Form_Unload();

  void Activated() override { StartShowOnce(); }
  void Form_Activate() override;
  void Form_KeyDown() override { RequestClose(); }
  void Form_Click() override { RequestClose(); }
  void CloseRequested() override;
  void LostActivation() override;
  void DisplayChanged() override;
  void PowerChanged(PowerEvent event) override;
  void picture2_KeyDown(WORD keyCode) override;
  void picture2_Click() override { RequestClose(); }
  void picture2_MouseMove(int x, int y) override;

  ShowStart start_;  // the image list and the password flag, once the list is in
  ShowState show_;
  std::optional<ShowEngine> engine_;        // when the show starts
  std::optional<PictureFeed> feed_;         // while RunShow runs
  std::shared_ptr<const Picture> Picture1;  // the picture last loaded; kept when a load fails
  float scale_ = 0.0f;                      // Picture1's on the screen
  DisplayWindow Form1{*this};
  bool covered_ = false;  // Form1 is on the screen
  bool shown_ = false;    // the show's checks passed: its pictures are to come
  bool showStarted_ = false;
  bool ended_ = false;        // the close was granted: input is no longer the show's
  bool asking_ = false;       // the password dialog is open: losing activation to it is no close
  bool closePosted_ = false;  // for a lost activation, not yet handled
};

}  // namespace lumiroll
