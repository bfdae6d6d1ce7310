#pragma once
// Pictures made at test time: JPEGs (with or without an EXIF orientation),
// metafiles recorded with GDI, and files written to a scratch folder.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "tests/shared/jpeg_writer.h"

namespace lumiroll::test {

// The four quadrant colours (kTopLeft ...) over a width x height picture.
[[nodiscard]] PixelFunction Quadrants(int width, int height);

// A baseline JPEG; app1 (if not empty) is written as an APP1 segment.
[[nodiscard]] Bytes EncodeJpeg(int width, int height, const PixelFunction& pixel,
                               std::span<const std::uint8_t> app1 = {}, int quality = 92);
// The JPEG with the size in its frame header replaced: its data then ends long before the rows
// the header declares.
[[nodiscard]] Bytes DeclaringSize(Bytes jpeg, std::uint16_t width, std::uint16_t height);

// An APP1 EXIF segment holding only an orientation tag, in Intel or Motorola byte order.
[[nodiscard]] Bytes ExifWithOrientation(int orientation, bool bigEndian);

// Metafiles of the four quadrants: an enhanced metafile whose frame is width x height pixels at
// 96 dpi, and a plain Windows metafile drawn in units of scale per pixel, with or without the
// record that sets its window extent.
[[nodiscard]] Bytes QuadrantEnhancedMetafile(int width, int height);
[[nodiscard]] Bytes QuadrantWindowsMetafile(int width, int height, int scale, bool recordWindowExtent);
// The 22-byte placeable header for a metafile whose bounding box is (0, 0, right, bottom) in units
// of which inch make an inch.
[[nodiscard]] Bytes PlaceableHeader(std::int16_t right, std::int16_t bottom, std::uint16_t inch);

// A folder of its own under the temporary folder, removed with what it holds.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  [[nodiscard]] std::wstring Write(const std::wstring& name, std::span<const std::uint8_t> bytes) const;
  [[nodiscard]] const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

// A file of tests/win/data, through Wine's Z: drive.
[[nodiscard]] std::wstring DataFile(const std::wstring& name);
[[nodiscard]] Bytes ReadFileBytes(const std::wstring& path);

}  // namespace lumiroll::test
