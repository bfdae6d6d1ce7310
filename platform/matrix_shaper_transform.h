#pragma once
// The common case of photographs, done fast: both profiles plain matrix-shaper ones (Adobe RGB,
// Display P3, ProPhoto and sRGB are), so the conversion is three curves, a 3x3 matrix and three
// curves back, which tables make a few lookups a pixel. LittleCMS's general 8-bit path costs
// several times as much, a tenth of a large photograph's whole decode.
#include <lcms2.h>

#include <memory>

#include "platform/colour_transform.h"

namespace lumiroll {

// 0x??RRGGBB from one profile to the other as LittleCMS converts colorimetrically (which is
// also its perceptual conversion for such profiles); nullptr unless both are plain
// matrix-shaper RGB profiles with no lookup tables and curves starting from black.
[[nodiscard]] std::unique_ptr<ColourTransform> MakeMatrixShaperTransform(cmsHPROFILE from, cmsHPROFILE to);

}  // namespace lumiroll
