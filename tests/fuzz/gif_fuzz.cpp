// The GIF decode path (giflib, compositing onto the screen, interlacing, reduction) on any file,
// at the bounds the program draws with, giflib itself built with the sanitizers. A loaded picture
// must be whole, cover a part of itself, and keep no more pixels than the bound shows.
#include <cstdint>

#include "platform/gif_decoder.h"
#include "tests/fuzz/bounded_picture_check.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumiroll::fuzz::FuzzInput input(data, size);
  const int choice = input.Between(0, 3);
  const lumiroll::DrawBound bound = lumiroll::fuzz::ChosenBound(choice, input.Between(1, 400));
  if (const auto picture = lumiroll::DecodeGif(input.rest(), bound)) lumiroll::fuzz::CheckBounded(*picture, bound);
  return 0;
}
