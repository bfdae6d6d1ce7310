#pragma once
// Which decoder a picture needs, told by its first bytes: a file's name may lie.
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace lumiroll {

enum class PictureFormat {
  kUnknown,
  kJpeg,
  kBitmap,
  kIcon,
  kGif,
  kPlaceableMetafile,
  kWindowsMetafile,
  kEnhancedMetafile
};

[[nodiscard]] inline PictureFormat SniffPictureFormat(std::span<const std::uint8_t> bytes) {
  const auto startsWith = [&](std::initializer_list<std::uint8_t> magic, std::size_t at = 0) {
    return bytes.size() >= at + magic.size() && std::equal(magic.begin(), magic.end(), bytes.subspan(at).begin());
  };
  if (startsWith({0xFF, 0xD8, 0xFF})) return PictureFormat::kJpeg;
  if (startsWith({'B', 'M'})) return PictureFormat::kBitmap;
  if (startsWith({0, 0, 1, 0})) return PictureFormat::kIcon;
  if (startsWith({'G', 'I', 'F', '8', '7', 'a'}) || startsWith({'G', 'I', 'F', '8', '9', 'a'}))
    return PictureFormat::kGif;
  if (startsWith({0xD7, 0xCD, 0xC6, 0x9A})) return PictureFormat::kPlaceableMetafile;
  // EMR_HEADER record, then " EMF" at byte 40.
  if (startsWith({1, 0, 0, 0}) && startsWith({' ', 'E', 'M', 'F'}, 40)) return PictureFormat::kEnhancedMetafile;
  // METAHEADER: type 1 (memory) or 2 (disk), header of 9 words, version 1.0 or 3.0.
  if ((startsWith({1, 0, 9, 0}) || startsWith({2, 0, 9, 0})) &&
      (startsWith({0x00, 0x03}, 4) || startsWith({0x00, 0x01}, 4)))
    return PictureFormat::kWindowsMetafile;
  return PictureFormat::kUnknown;
}

}  // namespace lumiroll
