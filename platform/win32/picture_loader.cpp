// Loading a picture: read the file, tell the format by its content, hand it to its decoder.
#include "platform/win32/picture_loader.h"

#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <new>

#include "platform/bitmap_decoder.h"
#include "platform/gif_decoder.h"
#include "platform/icon_decoder.h"
#include "platform/jpeg_decoder.h"
#include "platform/picture_format.h"
#include "platform/win32/picture_decoders.h"
#include "platform/win32/whole_file.h"

namespace lumiroll {
namespace {

// Far beyond any photograph; a larger file is not read into memory.
constexpr std::uint64_t kMaxPictureFileBytes = std::uint64_t{1} << 30;

std::optional<Picture> DecodeByContent(std::span<const std::uint8_t> bytes, DrawBound bound,
                                       const DisplayProfile& display) {
  // Icons of Windows Vista and later hold their large images as PNG.
  const auto decodeIconPng = [&display](std::span<const std::uint8_t> png, DrawBound pngBound) {
    return DecodeWithWic(png, GUID_ContainerFormatPng, pngBound, display);
  };
  switch (SniffPictureFormat(bytes)) {
    case PictureFormat::kJpeg: return DecodeJpeg(bytes, bound, display);
    case PictureFormat::kBitmap: return DecodeBitmapFile(bytes, bound);
    case PictureFormat::kIcon: return DecodeIcon(bytes, bound, decodeIconPng);
    case PictureFormat::kGif: return DecodeGif(bytes, bound);
    case PictureFormat::kPlaceableMetafile: return RenderWindowsMetafile(bytes, true, bound);
    case PictureFormat::kWindowsMetafile: return RenderWindowsMetafile(bytes, false, bound);
    case PictureFormat::kEnhancedMetafile: return RenderEnhancedMetafile(bytes, bound);
    case PictureFormat::kUnknown: break;
  }
  return std::nullopt;
}

}  // namespace

std::optional<Picture> LoadPictureBytes(std::span<const std::uint8_t> bytes, DrawBound bound,
                                        const DisplayProfile& display) {
  try {
    return DecodeByContent(bytes, bound, display);
  } catch (const std::bad_alloc&) {  // a picture too large for the memory left is one that fails
    return std::nullopt;
  }
}

std::optional<std::vector<std::uint8_t>> ReadPictureFile(const std::wstring& path,
                                                         const std::function<bool()>& blockRead) {
  try {
    return ReadWholeFile(path, kMaxPictureFileBytes, blockRead);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

std::optional<Picture> LoadPictureFile(const std::wstring& path, DrawBound bound, const DisplayProfile& display) {
  try {
    const auto bytes = ReadWholeFile(path, kMaxPictureFileBytes);
    if (!bytes) return std::nullopt;
    return DecodeByContent(*bytes, bound, display);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace lumiroll
