#pragma once
// GIFs of one image made at test time with giflib's encoder, with or without colour tables.
#include <cstdint>
#include <vector>

#include "platform/picture.h"

namespace lumiroll::test {

struct GifImage {
  int screenWidth = 0, screenHeight = 0;
  PictureRegion frame;                 // where the image lies on the screen
  std::vector<std::uint32_t> colours;  // the global table, 0x00RRGGBB, 2, 4 ... 256 entries
  bool withoutTable = false;           // the table's size is declared, its colours left out
  std::vector<std::uint8_t> indices;   // frame.width x frame.height, top-down
  bool interlaced = false;
  int transparent = -1;  // an index made transparent by a graphic control extension
};

[[nodiscard]] std::vector<std::uint8_t> WriteGif(const GifImage& image);

// The image (not interlaced, no transparency, its indices as wide as the code size allows)
// with an LZW minimum code size giflib's encoder refuses, 9 to 11, coded as literals alone: a
// clear code every clearEvery codes, or only the first when 0, so the table fills and waits.
struct WideCodeGif {
  int codeSize = 9;
  int clearEvery = 0;
  int width = 0, height = 0;
  std::vector<std::uint32_t> colours;  // the global table, 256 entries at most
  std::vector<std::uint16_t> indices;
};
[[nodiscard]] std::vector<std::uint8_t> WriteWideCodeGif(const WideCodeGif& image);

}  // namespace lumiroll::test
