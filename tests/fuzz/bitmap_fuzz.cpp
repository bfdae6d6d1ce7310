// Our BMP (run-length too) and icon decoders on any file, told apart by its first bytes as the
// loader tells them. An icon's PNG images go to WIC, which is not here: they fail.
#include <cstdint>

#include "platform/bitmap_decoder.h"
#include "platform/icon_decoder.h"
#include "platform/picture_format.h"
#include "tests/fuzz/decoded_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumiroll::fuzz::FuzzInput input(data, size);
  const lumiroll::DrawBound bound = lumiroll::fuzz::ChosenBound(input);
  const auto bytes = input.rest();
  std::optional<lumiroll::Picture> picture;
  if (lumiroll::SniffPictureFormat(bytes) == lumiroll::PictureFormat::kBitmap)
    picture = lumiroll::DecodeBitmapFile(bytes, bound);
  else if (lumiroll::SniffPictureFormat(bytes) == lumiroll::PictureFormat::kIcon)
    picture = lumiroll::DecodeIcon(bytes, bound, {});
  if (picture) lumiroll::fuzz::CheckDecoded(*picture, bound);
  return 0;
}
