#pragma once
// Expands the runs of a run-length encoded bitmap (8 or 4 bits a pixel) a stored row at a time.
// Pixels the stream skips (by a delta, an end of line or the end of the bitmap) stay black; runs
// past the end of a row are cut there. No Windows here.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace lumiroll {

class RunLengthRows {
 public:
  // palette: 0x00RRGGBB for each index; fourBits for BI_RLE4, else BI_RLE8.
  RunLengthRows(std::span<const std::uint8_t> stream, int width, int height, bool fourBits,
                const std::array<std::uint32_t, 256>& palette)
      : stream_(stream), width_(width), height_(height), fourBits_(fourBits), palette_(palette) {}

  // The next stored row, width pixels; false when the stream is damaged or ends before the
  // bitmap's last pixel without saying so.
  [[nodiscard]] bool Next(std::uint32_t* row);

 private:
  void Run(std::uint32_t* row, int count, std::uint8_t value);
  [[nodiscard]] bool Literal(std::uint32_t* row, int count);

  std::span<const std::uint8_t> stream_;
  std::size_t at_ = 0;
  int width_, height_;
  bool fourBits_;
  const std::array<std::uint32_t, 256>& palette_;
  int x_ = 0, y_ = 0;  // where the stream writes next; y_ may lie beyond the row being made
  int made_ = 0;       // rows handed out
  bool ended_ = false;
};

}  // namespace lumiroll
