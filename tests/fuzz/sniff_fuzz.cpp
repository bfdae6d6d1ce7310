// Format sniffing and the BMP header's reading on any bytes. Whatever layout it reads must be a
// header the decoder can trust: a defined coding, a believable size and, uncompressed, every row
// inside the file (read here independently, in 64 bits, so an overflow in the check shows).
#include <cstdint>
#include <cstdlib>

#include "platform/bitmap_header.h"
#include "platform/bitmap_layout.h"
#include "platform/picture_format.h"

namespace {

std::int64_t Read(const std::uint8_t* data, std::size_t at, int size, bool isSigned) {
  std::uint64_t v = 0;
  for (int i = 0; i < size; ++i) v |= std::uint64_t{data[at + i]} << (8 * i);
  if (isSigned && size == 4) return static_cast<std::int32_t>(v);
  return static_cast<std::int64_t>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  if (lumiroll::SniffPictureFormat(bytes) != lumiroll::PictureFormat::kBitmap) return 0;
  if (!lumiroll::ReadBitmapFileLayout(bytes)) return 0;
  if (size < 26) std::abort();
  const bool core = Read(data, 14, 4, false) == 12;
  if (!core && size < 54) std::abort();
  const std::int64_t width = core ? Read(data, 18, 2, false) : Read(data, 18, 4, true);
  std::int64_t height = core ? Read(data, 20, 2, false) : Read(data, 22, 4, true);
  const std::int64_t bits = core ? Read(data, 24, 2, false) : Read(data, 28, 2, false);
  const std::int64_t compression = core ? 0 : Read(data, 30, 4, false);
  if (height < 0) height = -height;
  if (!lumiroll::DeclaredSizeAcceptable(width, height)) std::abort();
  if (!lumiroll::BitmapCodingDefined(static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(compression)))
    std::abort();
  const std::int64_t offset = Read(data, 10, 4, false);
  if (compression == 0 && (width * bits + 31) / 32 * 4 * height > static_cast<std::int64_t>(size) - offset)
    std::abort();
  return 0;
}
