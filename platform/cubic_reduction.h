#pragma once
// Shrinks a picture by a small factor (under 2: what is left after the JPEG decoder's own
// reduction) while its rows arrive, with a Catmull-Rom cubic stretched by the factor, so it
// filters out what the smaller picture cannot hold (no aliasing) but keeps it sharp. Plain area
// averaging at such factors blends neighbours by a weight that drifts along the row and measured
// clearly blurrier against a Lanczos reference. No Windows here.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/catmull_rom.h"
#include "platform/picture_geometry.h"

namespace lumiroll {

class CubicReducer {
 public:
  // target must not exceed source on either side; both at least 1 x 1. Equal sizes copy.
  CubicReducer(PixelSize source, PixelSize target)
      : source_(source), target_(target), columns_(MakeTaps(source.width, target.width)),
        rows_(MakeTaps(source.height, target.height)),
        rowFloats_((static_cast<std::size_t>(source.width) * 3 + 3) / 4 * 4),
        ring_(static_cast<std::size_t>(rows_.width) * rowFloats_), columnSums_(rowFloats_) {
    pixels_.reserve(static_cast<std::size_t>(target.width) * target.height);
  }

  // The next source row, 0x??RRGGBB (the top byte is ignored).
  void AddRow(const std::uint32_t* row) {
    if (sourceRow_ >= source_.height) return;
    if (source_ == target_) {
      ++sourceRow_;
      for (int x = 0; x < source_.width; ++x) pixels_.push_back(row[x] & 0x00FFFFFF);
      return;
    }
    Unpack(row, RingRow(sourceRow_));
    while (nextRow_ < target_.height && rows_.Last(nextRow_) <= sourceRow_) EmitRow(nextRow_++);
    ++sourceRow_;
  }

  // The reduced picture, target.width x target.height, 0x00RRGGBB; call once, after every row.
  [[nodiscard]] std::vector<std::uint32_t> TakePixels() {
    pixels_.resize(static_cast<std::size_t>(target_.width) * target_.height, 0);
    return std::move(pixels_);
  }

 private:
  // For each output pixel, the run of source pixels it weighs; weights normalised to 1.
  struct Taps {
    std::vector<int> first, count;
    std::vector<float> weights;  // width per output pixel
    int width = 1;
    [[nodiscard]] int Last(int i) const { return first[i] + count[i] - 1; }
  };

  static Taps MakeTaps(int source, int target) {
    Taps taps;
    const double ratio = static_cast<double>(source) / target, half = std::max(ratio, 1.0);
    taps.width = static_cast<int>(std::ceil(4 * half)) + 1;
    taps.first.resize(target), taps.count.resize(target);
    taps.weights.assign(static_cast<std::size_t>(target) * taps.width, 0.0f);
    for (int d = 0; d < target; ++d) {
      const double centre = (d + 0.5) * ratio - 0.5;
      const int first = std::max(0, static_cast<int>(std::floor(centre - 2 * half)) + 1);
      const int last = std::min(source - 1, static_cast<int>(std::ceil(centre + 2 * half)) - 1);
      float* w = &taps.weights[static_cast<std::size_t>(d) * taps.width];
      double sum = 0;
      for (int i = first; i <= last; ++i) sum += w[i - first] = static_cast<float>(CatmullRom((i - centre) / half));
      for (int i = first; i <= last; ++i) w[i - first] = static_cast<float>(w[i - first] / sum);
      taps.first[d] = first, taps.count[d] = last - first + 1;
    }
    return taps;
  }

  // Source rows, unpacked to planar R, G, B floats, in a ring as deep as the vertical filter.
  float* RingRow(int sourceRow) { return &ring_[static_cast<std::size_t>(sourceRow % rows_.width) * rowFloats_]; }

  void Unpack(const std::uint32_t* row, float* planes) const {
    const std::size_t w = static_cast<std::size_t>(source_.width);
    float *r = planes, *g = r + w, *b = g + w;
    for (std::size_t x = 0; x < w; ++x) {
      r[x] = static_cast<float>(row[x] >> 16 & 0xFF), g[x] = static_cast<float>(row[x] >> 8 & 0xFF);
      b[x] = static_cast<float>(row[x] & 0xFF);
    }
  }

  // One output row: first down the columns over whole source rows (contiguous, so the compiler
  // vectorises it), then along the one summed row, which leaves the narrower pass for last.
  void EmitRow(int d) {
    std::fill(columnSums_.begin(), columnSums_.end(), 0.0f);
    float* sum = columnSums_.data();
    const std::size_t n = columnSums_.size();
    const float* rowWeight = &rows_.weights[static_cast<std::size_t>(d) * rows_.width];
    for (int k = 0; k < rows_.count[d]; ++k) {
      const float* in = RingRow(rows_.first[d] + k);
      const float w = rowWeight[k];
      for (std::size_t i = 0; i < n; i += 4) {  // four at a time: -O2 makes one vector operation of them
        sum[i] += in[i] * w, sum[i + 1] += in[i + 1] * w, sum[i + 2] += in[i + 2] * w, sum[i + 3] += in[i + 3] * w;
      }
    }
    const std::size_t sw = static_cast<std::size_t>(source_.width);
    const float *r = sum, *g = r + sw, *b = g + sw;
    for (int x = 0; x < target_.width; ++x) {
      const float* weight = &columns_.weights[static_cast<std::size_t>(x) * columns_.width];
      const int first = columns_.first[x], count = columns_.count[x];
      float sr = 0, sg = 0, sb = 0;
      for (int k = 0; k < count; ++k)
        sr += r[first + k] * weight[k], sg += g[first + k] * weight[k], sb += b[first + k] * weight[k];
      pixels_.push_back(Channel(sr) << 16 | Channel(sg) << 8 | Channel(sb));
    }
  }

  static std::uint32_t Channel(float value) {
    return static_cast<std::uint32_t>(std::clamp(value + 0.5f, 0.0f, 255.0f));
  }

  PixelSize source_, target_;
  Taps columns_, rows_;
  std::size_t rowFloats_;  // one unpacked row, padded to whole groups of four
  std::vector<float> ring_, columnSums_;
  std::vector<std::uint32_t> pixels_;
  int sourceRow_ = 0;
  int nextRow_ = 0;
};

}  // namespace lumiroll
