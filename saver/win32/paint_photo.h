#pragma once
#include "platform/win32/picture_box.h"
#include "platform/win32/picture_surface.h"

namespace lumiroll {

// Clears the destination and draws the source's picture into it, centred: fitted when scale is
// 0, otherwise with its width and height multiplied by scale.
void PaintPhoto(const PictureBox& source, PictureSurface& destination, float scale);
// The same for a picture held elsewhere; nothing (null) leaves the destination clear.
void PaintPhoto(const Picture* source, PictureSurface& destination, float scale);

}  // namespace lumiroll
