#pragma once
// The Win32 decoders behind LoadPictureBytes (WIC, GDI's metafiles). Each checks the declared size
// before it takes memory and keeps only what the draw bound needs.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "platform/display_profile.h"
#include "platform/picture.h"

namespace lumiroll {

// A PNG (an icon's image); the format benchmark also decodes GIF and BMP with it, as the loader
// once did.
[[nodiscard]] std::optional<Picture> DecodeWithWic(std::span<const std::uint8_t> bytes, const GUID& container,
                                                   DrawBound bound, const DisplayProfile& display = {});
[[nodiscard]] std::optional<Picture> RenderEnhancedMetafile(std::span<const std::uint8_t> bytes, DrawBound bound);
// placeable: the bytes start with the 22-byte placeable header.
[[nodiscard]] std::optional<Picture> RenderWindowsMetafile(std::span<const std::uint8_t> bytes, bool placeable,
                                                           DrawBound bound);

}  // namespace lumiroll
