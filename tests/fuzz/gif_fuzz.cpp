// The GIF decode path (giflib, compositing onto the screen, interlacing, reduction) on any file,
// giflib itself built with the sanitizers too.
#include <cstdint>

#include "platform/gif_decoder.h"
#include "tests/fuzz/decoded_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumiroll::fuzz::FuzzInput input(data, size);
  const lumiroll::DrawBound bound = lumiroll::fuzz::ChosenBound(input);
  if (const auto picture = lumiroll::DecodeGif(input.rest(), bound)) lumiroll::fuzz::CheckDecoded(*picture, bound);
  return 0;
}
