#pragma once
// Icons read by our own code: the directory, the image the show draws chosen from it, bitmap
// images decoded by the bitmap decoder with their transparency over black; PNG images go to a
// decoder the caller gives. No Windows here.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "platform/picture.h"
#include "platform/picture_geometry.h"

namespace lumiroll {

struct IconImage {
  std::span<const std::uint8_t> bytes;  // inside the file
  bool png = false;
  PixelSize size;  // as the image's own header declares it
};

// The images of an icon file in the order they are tried: the largest first, equal sizes in the
// directory's order. Images of no kind we know are left out. Nothing when an entry lies outside
// the file or an image declares an absurd size.
[[nodiscard]] std::optional<std::vector<IconImage>> IconImagesByPreference(std::span<const std::uint8_t> file);

// At most this many images are tried, so that a file of many broken images costs little.
inline constexpr int kMostIconImagesTried = 4;

using PngDecoder = std::function<std::optional<Picture>(std::span<const std::uint8_t> png, DrawBound bound)>;

// The first preferred image that decodes. A 32-bit bitmap image whose alpha is not all 0 is laid
// over black by its alpha; any other has its mask's pixels black.
[[nodiscard]] std::optional<Picture> DecodeIcon(std::span<const std::uint8_t> file, DrawBound bound,
                                                const PngDecoder& decodePng);

}  // namespace lumiroll
