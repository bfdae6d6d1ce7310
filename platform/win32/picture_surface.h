#pragma once
// A visible picture box: a child window that shows a 32-bit back buffer of its own size on a
// background colour. The destination of PaintPhoto. Windows that need its input derive from it.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/picture.h"
#include "platform/win32/handles.h"
#include "platform/win32/window.h"

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
  // the surface, with good-quality resampling. The rectangle may lie partly outside. A picture
  // that kept only a part of itself draws that part where it lies within the rectangle.
  void PaintPicture(const Picture& picture, int left, int top, int width, int height);
  // Shows the back buffer on the screen now rather than at the next paint.
  void ShowNow();

  // A pixel of the back buffer as 0x00RRGGBB; nothing outside it.
  [[nodiscard]] std::optional<std::uint32_t> PixelAt(int x, int y) const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct BackBuffer {
    UniqueBitmap bitmap;
    UniqueMemoryDc dc;              // holds bitmap selected; declared after it, so it is deleted first
    std::uint32_t* bits = nullptr;  // owned by bitmap
    int width = 0;
    int height = 0;
  };
  [[nodiscard]] static std::optional<BackBuffer> MakeBackBuffer(int width, int height);
  void RemakeBackBuffer(int width, int height);
  void Fill(std::uint32_t colour);
  void Paint();

  std::uint32_t background_ = 0;  // 0x00RRGGBB
  std::optional<BackBuffer> buffer_;
};

}  // namespace lumiroll
