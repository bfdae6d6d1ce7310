#pragma once
// Picture2: the show's display surface. It holds the focus and its keys, clicks and pointer
// movements are the show's input.
#include <windows.h>

#include "platform/win32/picture_surface.h"

namespace lumiroll {

class ShowInput {
 public:
  virtual ~ShowInput() = default;
  virtual void picture2_KeyDown(WORD keyCode) = 0;
  virtual void picture2_Click() = 0;
  virtual void picture2_MouseMove(int x, int y) = 0;
};

class ShowSurface final : public PictureSurface {
 public:
  explicit ShowSurface(ShowInput& input) : input_(input) {}

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  ShowInput& input_;
};

}  // namespace lumiroll
