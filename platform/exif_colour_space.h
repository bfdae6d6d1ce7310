#pragma once
// Cameras that shoot in Adobe RGB often embed no colour profile: they write EXIF ColorSpace
// "uncalibrated" (0xFFFF) and the interoperability index "R03" (DCF's Adobe RGB option) instead.
// No Windows here, so the native tests reach it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/exif_orientation.h"

namespace lumiroll {

namespace exif_detail {

// The offset a LONG pointer entry (to a sub-IFD) holds.
[[nodiscard]] inline std::optional<std::size_t> FindPointer(const TiffReader& tiff, std::size_t ifd,
                                                            std::uint32_t tag) {
  constexpr std::uint32_t kLongType = 4, kIfdType = 13;
  const auto entry = FindEntry(tiff, ifd, tag);
  if (!entry || (entry->type != kLongType && entry->type != kIfdType) || entry->count != 1) return std::nullopt;
  return tiff.U32(entry->valueAt);
}

}  // namespace exif_detail

// True when an APP1 segment's data ("Exif\0\0" and a TIFF structure) declares the picture
// Adobe RGB the way cameras do; false for anything else, including damage.
[[nodiscard]] inline bool ExifSaysAdobeRgb(std::span<const std::uint8_t> app1) {
  using namespace exif_detail;
  const auto opened = ExifTiff(app1);
  if (!opened) return false;
  const TiffReader& tiff = *opened;
  constexpr std::uint32_t kExifIfdTag = 0x8769, kColorSpaceTag = 0xA001, kInteropIfdTag = 0xA005,
                          kInteropIndexTag = 0x0001, kShortType = 3, kAsciiType = 2, kUncalibrated = 0xFFFF;
  const auto exifIfd = FindPointer(tiff, tiff.U32(4), kExifIfdTag);
  if (!exifIfd) return false;
  const auto colorSpace = FindEntry(tiff, *exifIfd, kColorSpaceTag);
  if (!colorSpace || colorSpace->type != kShortType || colorSpace->count != 1 ||
      tiff.U16(colorSpace->valueAt) != kUncalibrated)
    return false;
  const auto interopIfd = FindPointer(tiff, *exifIfd, kInteropIfdTag);
  if (!interopIfd) return false;
  const auto index = FindEntry(tiff, *interopIfd, kInteropIndexTag);
  // "R03" and its terminating zero fit in the entry itself.
  if (!index || index->type != kAsciiType || index->count != 4) return false;
  const std::size_t at = index->valueAt;
  return tiff.Byte(at) == 'R' && tiff.Byte(at + 1) == '0' && tiff.Byte(at + 2) == '3';
}

}  // namespace lumiroll
