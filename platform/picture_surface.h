#pragma once
// A visible picture box: a child window that shows a 32-bit back buffer of its own size on a
// background colour. The destination of PaintPhoto. Windows that need its input derive from it.
#include <windows.h>

#include <cstdint>

#include "platform/picture.h"
#include "platform/window.h"

namespace lumiroll {

class PictureSurface : public Window {
 public:
  // Creates the surface as a child of parent at the rectangle (pixels of the parent's client area).
  [[nodiscard]] bool CreateSurface(HWND parent, RECT rectangle, COLORREF background, DWORD extraStyle = 0);
  void Move(RECT rectangle);

  // Inner size in pixels.
  [[nodiscard]] int ScaleWidth() const;
  [[nodiscard]] int ScaleHeight() const;

  // Removes the picture: only the background colour shows.
  void Clear();
  // Draws the whole picture stretched into the rectangle (left, top, width, height), clipped to
  // the surface, with good-quality resampling. The rectangle may lie partly outside.
  void PaintPicture(const Picture& picture, int left, int top, int width, int height);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace lumiroll
