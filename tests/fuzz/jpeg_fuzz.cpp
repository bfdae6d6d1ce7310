// The JPEG decode path (libjpeg-turbo, cropping, skipping, reduction, orientation) on any file.
#include <cstdint>

#include "platform/jpeg_decoder.h"
#include "tests/fuzz/decoded_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumiroll::fuzz::FuzzInput input(data, size);
  const lumiroll::DrawBound bound = lumiroll::fuzz::ChosenBound(input);
  if (const auto picture = lumiroll::DecodeJpeg(input.rest(), bound)) lumiroll::fuzz::CheckDecoded(*picture, bound);
  return 0;
}
