// Windows and enhanced metafiles, played by GDI into a 32-bit bitmap of the metafile's own size
// in pixels (or, being vectors, straight at the smaller size the draw bound keeps, or into just
// the window the bound shows at a scale). What the
// metafile leaves undrawn stays black, as it would on the show's black screen.
#include <windows.h>

#include <cmath>
#include <optional>

#include "platform/byte_reader.h"
#include "platform/picture_geometry.h"
#include "platform/picture_region.h"
#include "platform/win32/handles.h"
#include "platform/win32/picture_decoders.h"

namespace lumiroll {
namespace {

struct MetaFileTraits {
  using Type = HMETAFILE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::DeleteMetaFile(h); }
};
using UniqueMetaFile = Unique<MetaFileTraits>;

constexpr double kScreenDpi = 96.0;
constexpr std::size_t kPlaceableHeaderBytes = 22;
constexpr WORD kSetWindowOrg = 0x020B, kSetWindowExt = 0x020C;
constexpr int kMaxRecordsScanned = 100'000;

// A declared size in pixels, computed in floating point: absurd values must fail, not overflow.
std::optional<PixelSize> Believable(double width, double height) {
  if (!(width < 1e9 && height < 1e9)) return std::nullopt;
  const auto w = std::llround(width), h = std::llround(height);
  if (!DeclaredSizeAcceptable(w, h)) return std::nullopt;
  return PixelSize{static_cast<int>(w), static_cast<int>(h)};
}

// Where the whole picture lands when the kept part of it fills a bitmap of the kept size.
RECT WholeTarget(PixelSize own, const KeptPart& part) {
  const double xScale = static_cast<double>(part.pixels.width) / part.region.width;
  const double yScale = static_cast<double>(part.pixels.height) / part.region.height;
  const auto left = static_cast<LONG>(-std::llround(part.region.left * xScale));
  const auto top = static_cast<LONG>(-std::llround(part.region.top * yScale));
  return {left, top, left + static_cast<LONG>(std::llround(own.width * xScale)),
          top + static_cast<LONG>(std::llround(own.height * yScale))};
}

// Plays into a black bitmap of the kept size, which at a scale holds only the part the bound
// shows; play gets a memory DC and the rectangle of the whole picture.
template <typename Play>
std::optional<Picture> Render(PixelSize own, DrawBound bound, Play play) {
  const KeptPart part = KeptPartFor(own, bound);
  const PixelSize kept = part.pixels;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kept.width, -kept.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!bitmap || !dc || !bits) return std::nullopt;
  {
    ScopedSelect select(dc.get(), bitmap.get());
    if (!play(dc.get(), WholeTarget(own, part))) return std::nullopt;
    ::GdiFlush();
  }
  Picture picture{own.width, own.height, kept.width, kept.height, {}, part.region};
  const auto* source = static_cast<const std::uint32_t*>(bits);
  picture.pixels.assign(source, source + static_cast<std::size_t>(kept.width) * kept.height);
  for (std::uint32_t& p : picture.pixels) p &= 0x00FFFFFF;
  return picture;
}

// The picture frame in .01 mm at the resolution of the device it was made for; the drawn bounds
// in device units when the frame is empty.
std::optional<PixelSize> EnhancedMetafileSize(const ENHMETAHEADER& header) {
  const RECTL& frame = header.rclFrame;
  const SIZEL device = header.szlDevice, millimetres = header.szlMillimeters;
  if (frame.right > frame.left && frame.bottom > frame.top) {
    const double xPerMm = millimetres.cx > 0 && device.cx > 0 ? double(device.cx) / millimetres.cx : kScreenDpi / 25.4;
    const double yPerMm = millimetres.cy > 0 && device.cy > 0 ? double(device.cy) / millimetres.cy : kScreenDpi / 25.4;
    return Believable((double(frame.right) - frame.left) / 100.0 * xPerMm,
                      (double(frame.bottom) - frame.top) / 100.0 * yPerMm);
  }
  const RECTL& drawn = header.rclBounds;
  if (drawn.right < drawn.left || drawn.bottom < drawn.top) return std::nullopt;
  return Believable(double(drawn.right) - drawn.left + 1, double(drawn.bottom) - drawn.top + 1);
}

struct WindowExtent {
  POINT origin{};
  SIZE extent{};
};

// A plain metafile has no size of its own but the window extent its records set.
std::optional<WindowExtent> RecordedWindow(std::span<const std::uint8_t> bytes) {
  const ByteReader metafile(bytes);
  const std::size_t headerWords = metafile.At<std::uint16_t>(2);
  std::size_t at = headerWords * 2;
  WindowExtent window;
  bool extentFound = false;
  for (int n = 0; n < kMaxRecordsScanned && at + 6 <= metafile.size(); ++n) {
    const std::uint64_t words = metafile.At<std::uint32_t>(at);
    const WORD function = metafile.At<std::uint16_t>(at + 4);
    if (words < 3 || function == 0) break;
    if (function == kSetWindowOrg)
      window.origin = {metafile.At<std::int16_t>(at + 8), metafile.At<std::int16_t>(at + 6)};
    if (function == kSetWindowExt && !extentFound) {
      window.extent = {metafile.At<std::int16_t>(at + 8), metafile.At<std::int16_t>(at + 6)};
      extentFound = true;
    }
    at += words * 2;
  }
  if (!extentFound || window.extent.cx == 0 || window.extent.cy == 0) return std::nullopt;
  return window;
}

// The placeable header's bounding box in its own units, and (into own) the picture's size at
// screen DPI, from the header's units per inch.
std::optional<WindowExtent> PlaceableWindow(std::span<const std::uint8_t> bytes, PixelSize& own) {
  const ByteReader header(bytes);
  const SHORT left = header.At<std::int16_t>(6), top = header.At<std::int16_t>(8);
  const SHORT right = header.At<std::int16_t>(10), bottom = header.At<std::int16_t>(12);
  const WORD inch = header.At<std::uint16_t>(14);
  if (inch == 0 || right == left || bottom == top) return std::nullopt;
  const auto size = Believable(std::abs(right - left) * kScreenDpi / inch, std::abs(bottom - top) * kScreenDpi / inch);
  if (!size) return std::nullopt;
  own = *size;
  return WindowExtent{{left, top}, {right - left, bottom - top}};
}

}  // namespace

std::optional<Picture> RenderEnhancedMetafile(std::span<const std::uint8_t> bytes, DrawBound bound) {
  UniqueEnhMetaFile metafile(::SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data()));
  ENHMETAHEADER header{};
  if (!metafile || ::GetEnhMetaFileHeader(metafile.get(), sizeof header, &header) == 0) return std::nullopt;
  const auto own = EnhancedMetafileSize(header);
  if (!own) return std::nullopt;
  return Render(*own, bound,
                [&](HDC dc, RECT target) { return ::PlayEnhMetaFile(dc, metafile.get(), &target) != FALSE; });
}

std::optional<Picture> RenderWindowsMetafile(std::span<const std::uint8_t> bytes, bool placeable, DrawBound bound) {
  if (placeable && bytes.size() <= kPlaceableHeaderBytes) return std::nullopt;
  const auto records = placeable ? bytes.subspan(kPlaceableHeaderBytes) : bytes;
  PixelSize own;
  std::optional<WindowExtent> window;
  if (placeable) {
    window = PlaceableWindow(bytes, own);
  } else if ((window = RecordedWindow(records))) {
    const auto size = Believable(std::abs(window->extent.cx), std::abs(window->extent.cy));
    if (!size) return std::nullopt;
    own = *size;
  }
  if (!window) return std::nullopt;
  UniqueMetaFile metafile(::SetMetaFileBitsEx(static_cast<UINT>(records.size()), records.data()));
  if (!metafile) return std::nullopt;
  return Render(own, bound, [&](HDC dc, RECT target) {
    ::SetMapMode(dc, MM_ANISOTROPIC);
    ::SetWindowOrgEx(dc, window->origin.x, window->origin.y, nullptr);
    ::SetWindowExtEx(dc, window->extent.cx, window->extent.cy, nullptr);
    ::SetViewportOrgEx(dc, target.left, target.top, nullptr);
    ::SetViewportExtEx(dc, target.right - target.left, target.bottom - target.top, nullptr);
    return ::PlayMetaFile(dc, metafile.get()) != FALSE;
  });
}

}  // namespace lumiroll
