// Loading a picture: read the file, tell the format by its content, hand it to its decoder.
#include <windows.h>
#include <wincodec.h>

#include <new>

#include "platform/bitmap_header.h"
#include "platform/handles.h"
#include "platform/picture.h"
#include "platform/picture_format.h"
#include "platform/win32/picture_decoders.h"

namespace lumiroll {
namespace {

// Far beyond any photograph; a larger file is not read into memory.
constexpr LONGLONG kMaxPictureFileBytes = LONGLONG{1} << 30;

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::wstring& path) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxPictureFileBytes) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
    if (!::ReadFile(file.get(), bytes.data() + done, wanted, &read, nullptr) || read == 0) return std::nullopt;
    done += read;
  }
  return bytes;
}

std::optional<Picture> DecodeByContent(std::span<const std::uint8_t> bytes, DrawBound bound) {
  switch (SniffPictureFormat(bytes)) {
    case PictureFormat::kJpeg: return DecodeJpeg(bytes, bound);
    case PictureFormat::kBitmap:
      if (!BitmapHeaderBelievable(bytes)) return std::nullopt;
      return DecodeWithWic(bytes, GUID_ContainerFormatBmp, bound);
    case PictureFormat::kIcon: return DecodeWithWic(bytes, GUID_ContainerFormatIco, bound);
    case PictureFormat::kGif: return DecodeWithWic(bytes, GUID_ContainerFormatGif, bound);
    case PictureFormat::kPlaceableMetafile: return RenderWindowsMetafile(bytes, true, bound);
    case PictureFormat::kWindowsMetafile: return RenderWindowsMetafile(bytes, false, bound);
    case PictureFormat::kEnhancedMetafile: return RenderEnhancedMetafile(bytes, bound);
    case PictureFormat::kUnknown: break;
  }
  return std::nullopt;
}

}  // namespace

std::optional<Picture> LoadPictureBytes(std::span<const std::uint8_t> bytes, DrawBound bound) {
  try {
    return DecodeByContent(bytes, bound);
  } catch (const std::bad_alloc&) {  // a picture too large for the memory left is one that fails
    return std::nullopt;
  }
}

std::optional<Picture> LoadPictureFile(const std::wstring& path, DrawBound bound) {
  try {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    return DecodeByContent(*bytes, bound);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace lumiroll
