#include "platform/win32/dialog_artwork.h"

#include <cstddef>

#include "platform/dialog_layout.h"

namespace lumiroll {
namespace {

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  ::GetObjectW(bitmap, sizeof info, &info);
  return {info.bmWidth, info.bmHeight};
}

// The artwork is drawn on the usual dialog face, RGB(240,240,240); it takes the system's face
// colour instead, so that it shows no box where the two differ (as under Wine).
void TakeFaceColour(HBITMAP bitmap) {
  constexpr BYTE kDrawnFace = 240;
  DIBSECTION dib{};
  if (::GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 24 || !dib.dsBm.bmBits) return;
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  if (face == RGB(kDrawnFace, kDrawnFace, kDrawnFace)) return;
  const BYTE blue = GetBValue(face), green = GetGValue(face), red = GetRValue(face);
  auto* rows = static_cast<BYTE*>(dib.dsBm.bmBits);
  for (int y = 0; y < dib.dsBm.bmHeight; ++y) {
    BYTE* pixel = rows + static_cast<std::ptrdiff_t>(y) * dib.dsBm.bmWidthBytes;
    for (int x = 0; x < dib.dsBm.bmWidth; ++x, pixel += 3) {
      if (pixel[0] != kDrawnFace || pixel[1] != kDrawnFace || pixel[2] != kDrawnFace) continue;
      pixel[0] = blue, pixel[1] = green, pixel[2] = red;
    }
  }
}

UniqueBitmap Resized(HBITMAP source, SIZE from, SIZE to) {
  ScopedGetDc screen(nullptr);
  UniqueBitmap target(::CreateCompatibleBitmap(screen.get(), to.cx, to.cy));
  UniqueMemoryDc sourceDc(::CreateCompatibleDC(screen.get())), targetDc(::CreateCompatibleDC(screen.get()));
  if (!target || !sourceDc || !targetDc) return {};
  ScopedSelect readFrom(sourceDc.get(), source);
  ScopedSelect drawInto(targetDc.get(), target.get());
  ::SetStretchBltMode(targetDc.get(), HALFTONE);  // averaged, not pixel-doubled
  ::SetBrushOrgEx(targetDc.get(), 0, 0, nullptr);
  ::StretchBlt(targetDc.get(), 0, 0, to.cx, to.cy, sourceDc.get(), 0, 0, from.cx, from.cy, SRCCOPY);
  return target;
}

}  // namespace

UniqueBitmap LoadArtwork(int firstResourceId, UINT dpi, SIZE size) {
  UniqueBitmap bitmap(static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr),
                                                        MAKEINTRESOURCEW(ArtworkResource(firstResourceId, dpi)),
                                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!bitmap) return bitmap;
  TakeFaceColour(bitmap.get());
  const SIZE made = BitmapSize(bitmap.get());
  if (made.cx == size.cx && made.cy == size.cy) return bitmap;
  return Resized(bitmap.get(), made, size);
}

}  // namespace lumiroll
