// Format sniffing and the BMP header check on any bytes: whatever the check believes, the pixels
// it declares must fit the file (uncompressed) or the run-length ratio.
#include <cstdint>
#include <cstdlib>

#include "platform/bitmap_header.h"
#include "platform/picture_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const lumiroll::PictureFormat format = lumiroll::SniffPictureFormat(bytes);
  if (format != lumiroll::PictureFormat::kBitmap) return 0;
  if (!lumiroll::BitmapHeaderBelievable(bytes)) return 0;
  // Believed: the header must be complete and its size within the limits.
  if (size < 26) std::abort();
  return 0;
}
