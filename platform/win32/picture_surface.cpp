#include "platform/win32/picture_surface.h"

#include <algorithm>
#include <cmath>

#include "platform/stretch_pixels.h"

namespace lumiroll {
namespace {

std::uint32_t AsPixel(COLORREF colour) {
  return static_cast<std::uint32_t>(GetRValue(colour)) << 16 | static_cast<std::uint32_t>(GetGValue(colour)) << 8 |
         GetBValue(colour);
}

bool PixelsComplete(const Picture& picture) {
  return picture.pixelWidth > 0 && picture.pixelHeight > 0 &&
         picture.pixels.size() >= static_cast<std::size_t>(picture.pixelWidth) * picture.pixelHeight;
}

// Where the kept pixels go when the whole picture is drawn into whole: the same share of it as
// the part of the picture they cover.
StretchRectangle CoveredRectangle(const Picture& picture, StretchRectangle whole) {
  const PictureRegion r = CoveredRegion(picture);
  if (r.left == 0 && r.top == 0 && r.width == picture.width && r.height == picture.height) return whole;
  const double xScale = static_cast<double>(whole.width) / picture.width;
  const double yScale = static_cast<double>(whole.height) / picture.height;
  const std::int64_t left = whole.left + std::llround(r.left * xScale);
  const std::int64_t top = whole.top + std::llround(r.top * yScale);
  return {left, top, whole.left + std::llround((r.left + r.width) * xScale) - left,
          whole.top + std::llround((r.top + r.height) * yScale) - top};
}

}  // namespace

bool PictureSurface::CreateSurface(HWND parent, RECT rectangle, COLORREF background, DWORD extraStyle) {
  background_ = AsPixel(background);
  WindowOptions options;
  options.className = L"LumirollPictureSurface";
  options.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | extraStyle;
  options.x = rectangle.left;
  options.y = rectangle.top;
  options.width = rectangle.right - rectangle.left;
  options.height = rectangle.bottom - rectangle.top;
  options.owner = parent;
  if (!Create(options)) return false;
  // A window created at its final size gets no WM_SIZE before it shows.
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  RemakeBackBuffer(client.right, client.bottom);
  return true;
}

void PictureSurface::Move(RECT rectangle) {
  ::MoveWindow(hwnd(), rectangle.left, rectangle.top, rectangle.right - rectangle.left,
               rectangle.bottom - rectangle.top, TRUE);
}

int PictureSurface::ScaleWidth() const { return buffer_ ? buffer_->width : 0; }
int PictureSurface::ScaleHeight() const { return buffer_ ? buffer_->height : 0; }

void PictureSurface::Clear() {
  Fill(background_);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void PictureSurface::PaintPicture(const Picture& picture, int left, int top, int width, int height) {
  if (!buffer_ || !PixelsComplete(picture)) return;
  ::GdiFlush();  // GDI may still be writing to the section
  BackBuffer& b = *buffer_;
  const std::size_t count = static_cast<std::size_t>(b.width) * b.height;
  StretchPixels({picture.pixels, picture.pixelWidth, picture.pixelHeight}, {{b.bits, count}, b.width, b.height},
                CoveredRectangle(picture, {left, top, width, height}));
  ShowNow();
}

void PictureSurface::ShowNow() {
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  ::UpdateWindow(hwnd());
}

std::optional<std::uint32_t> PictureSurface::PixelAt(int x, int y) const {
  if (!buffer_ || x < 0 || y < 0 || x >= buffer_->width || y >= buffer_->height) return std::nullopt;
  return buffer_->bits[static_cast<std::size_t>(y) * buffer_->width + x] & 0xFFFFFF;
}

LRESULT PictureSurface::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // the back buffer covers every pixel: erasing first would flicker
    case WM_PAINT: Paint(); return 0;
    case WM_SIZE: RemakeBackBuffer(LOWORD(lParam), HIWORD(lParam)); return 0;
    default: return DefaultHandling(message, wParam, lParam);
  }
}

void PictureSurface::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(hwnd(), &paint);
  const RECT& r = paint.rcPaint;
  if (buffer_) {
    ::BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, buffer_->dc.get(), r.left, r.top, SRCCOPY);
  } else {
    UniqueBrush brush(::CreateSolidBrush(RGB(background_ >> 16, (background_ >> 8) & 0xFF, background_ & 0xFF)));
    ::FillRect(dc, &r, brush.get());
  }
  ::EndPaint(hwnd(), &paint);
}

std::optional<PictureSurface::BackBuffer> PictureSurface::MakeBackBuffer(int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  BackBuffer buffer;
  void* bits = nullptr;
  buffer.bitmap.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  buffer.dc.reset(::CreateCompatibleDC(nullptr));
  if (!buffer.bitmap || !buffer.dc || !bits) return std::nullopt;
  ::SelectObject(buffer.dc.get(), buffer.bitmap.get());
  buffer.bits = static_cast<std::uint32_t*>(bits);
  buffer.width = width;
  buffer.height = height;
  return buffer;
}

// The new buffer keeps what the old one showed where both overlap.
void PictureSurface::RemakeBackBuffer(int width, int height) {
  if (buffer_ && buffer_->width == width && buffer_->height == height) return;
  std::optional<BackBuffer> made = MakeBackBuffer(width, height);
  if (made) {
    std::fill_n(made->bits, static_cast<std::size_t>(width) * height, background_);
    if (buffer_)
      ::BitBlt(made->dc.get(), 0, 0, std::min(width, buffer_->width), std::min(height, buffer_->height),
               buffer_->dc.get(), 0, 0, SRCCOPY);
  }
  buffer_.reset();
  buffer_ = std::move(made);
}

void PictureSurface::Fill(std::uint32_t colour) {
  if (!buffer_) return;
  ::GdiFlush();
  std::fill_n(buffer_->bits, static_cast<std::size_t>(buffer_->width) * buffer_->height, colour);
}

}  // namespace lumiroll
