#pragma once
// The colours a JPEG declares: its embedded ICC profile, or the EXIF mark cameras use for
// Adobe RGB, turned into the transform to the display.
#include <cstdio>
#include <memory>

#include <jpeglib.h>

#include "platform/colour_transform.h"

namespace lumiroll {

// Which markers JpegColourTransform reads; call before jpeg_read_header.
void SaveColourMarkers(jpeg_decompress_struct& info);

// After jpeg_read_header: the transform of the decoded pixels to the display's colours (layout by
// the file's colour space; for four-colour files, the raw CMYK samples), or nullptr for an
// untagged picture or an unusable profile, whose pixels stay exactly as decoded.
[[nodiscard]] std::shared_ptr<const ColourTransform> JpegColourTransform(const jpeg_decompress_struct& info,
                                                                         const DisplayProfile& display);

}  // namespace lumiroll
