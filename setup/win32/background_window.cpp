#include "setup/win32/background_window.h"

#include <string>

#include "platform/dpi_scaling.h"
#include "platform/win32/dialog_controls.h"
#include "setup/background_gradient.h"
#include "setup/setup_texts.h"

namespace lumiroll {
namespace {

constexpr float kCaptionPoints = 48;
constexpr POINT kShadowAt{12, 12}, kCaptionAt{4, 4};

void PaintGradient(HDC dc, int width, int height) {
  for (const GradientBand& band : BackgroundBands(width, height)) {
    const RECT rect{band.left, band.top, band.right, band.bottom};
    ::SetDCBrushColor(dc, RGB(0, 0, band.blue));
    ::FillRect(dc, &rect, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
  }
}

void PaintCaption(HDC dc, UINT dpi) {
  const UniqueFont font = CreateDialogFont({.points = kCaptionPoints, .face = L"Arial", .bold = true}, dpi);
  ScopedSelect select(dc, font.get());
  ::SetBkMode(dc, TRANSPARENT);
  const std::wstring caption(kBackgroundCaption);
  const auto draw = [&](POINT at, COLORREF colour) {
    ::SetTextColor(dc, colour);
    ::TextOutW(dc, ScaleForDpi(at.x, dpi), ScaleForDpi(at.y, dpi), caption.c_str(), static_cast<int>(caption.size()));
  };
  draw(kShadowAt, RGB(0, 0, 0));
  draw(kCaptionAt, RGB(255, 255, 255));
}

}  // namespace

bool BackgroundWindow::Open() {
  width_ = ::GetSystemMetrics(SM_CXSCREEN);
  height_ = ::GetSystemMetrics(SM_CYSCREEN);
  WindowOptions window;
  window.className = L"LumirollSetupBackground";
  window.caption = std::wstring(kBackgroundCaption);
  window.style = WS_POPUP | WS_CLIPCHILDREN;
  window.x = 0;
  window.y = 0;
  window.width = width_;
  window.height = height_;
  window.background = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  window.icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(100), IMAGE_ICON, 0, 0,
                                                LR_DEFAULTSIZE | LR_SHARED));  // shared: the system's
  if (!Create(window)) return false;
  PaintOnce();
  ::ShowWindow(hwnd(), SW_SHOW);
  ::UpdateWindow(hwnd());  // on the screen before the first dialog opens
  return true;
}

void BackgroundWindow::PaintOnce() {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  width_ = client.right;
  height_ = client.bottom;
  ScopedGetDc screen(hwnd());
  painting_.reset(::CreateCompatibleBitmap(screen.get(), width_, height_));
  UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  if (!painting_ || !dc) return;
  ScopedSelect select(dc.get(), painting_.get());
  PaintGradient(dc.get(), width_, height_);
  PaintCaption(dc.get(), ::GetDpiForWindow(hwnd()));
}

void BackgroundWindow::ShowPainting(HDC target) const {
  UniqueMemoryDc dc(::CreateCompatibleDC(target));
  if (!painting_ || !dc) return;
  ScopedSelect select(dc.get(), painting_.get());
  ::BitBlt(target, 0, 0, width_, height_, dc.get(), 0, 0, SRCCOPY);
}

LRESULT BackgroundWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return painting_ ? 1 : DefaultHandling(message, wParam, lParam);
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(hwnd(), &paint);
      ShowPainting(dc);
      ::EndPaint(hwnd(), &paint);
      return 0;
    }
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace lumiroll
