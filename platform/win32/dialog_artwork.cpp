#include "platform/win32/dialog_artwork.h"

#include "platform/dialog_layout.h"

namespace lumiroll {
namespace {

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  ::GetObjectW(bitmap, sizeof info, &info);
  return {info.bmWidth, info.bmHeight};
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
  const SIZE made = BitmapSize(bitmap.get());
  if (made.cx == size.cx && made.cy == size.cy) return bitmap;
  return Resized(bitmap.get(), made, size);
}

}  // namespace lumiroll
