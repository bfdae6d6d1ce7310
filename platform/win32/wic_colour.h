#pragma once
// The colours a picture decoded by WIC declares, through the colour contexts WIC reports (Wine's
// WIC reports none: such pictures show as untagged there).
#include <wincodec.h>

#include <memory>

#include "platform/colour_transform.h"

namespace lumiroll {

// The transform of the frame's pixels, once converted to 32-bit BGRA, to the display's colours; or
// nullptr.
[[nodiscard]] std::shared_ptr<const ColourTransform> WicColourTransform(IWICImagingFactory& factory,
                                                                        IWICBitmapFrameDecode& frame,
                                                                        const DisplayProfile& display);

}  // namespace lumiroll
