#pragma once
// Artwork of the dialogs: bitmaps made at 1x, 1.5x and 2x, the nearest one for the DPI.
#include <windows.h>

#include "platform/win32/handles.h"

namespace lumiroll {

// The artwork whose 1x bitmap has the resource id, at exactly the size: the bitmap made for the
// scale nearest the DPI, smoothly resized when it is not already that size. Null when missing.
[[nodiscard]] UniqueBitmap LoadArtwork(int firstResourceId, UINT dpi, SIZE size);

}  // namespace lumiroll
