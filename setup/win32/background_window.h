#pragma once
#include "platform/win32/handles.h"
#include "platform/win32/window.h"

namespace lumiroll {

// Form1: the full-screen background with the blue-to-black gradient and the shadowed caption.
// It is painted once into a bitmap that the window shows, so it survives the dialogs moving
// over it.
class BackgroundWindow final : public Window {
 public:
  // Shows the window over the whole screen with its painting on it; false when it cannot.
  bool Open();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void PaintOnce();
  void ShowPainting(HDC target) const;

  UniqueBitmap painting_;
  int width_ = 0, height_ = 0;
};

}  // namespace lumiroll
