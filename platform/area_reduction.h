#pragma once
// Shrinks a picture by exact area averaging while its rows arrive, so a large picture never has
// to be held whole: each kept pixel is the mean of the source area it covers, fractions of
// source pixels included. No aliasing, and memory of a few rows. No Windows here.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/picture_geometry.h"

namespace lumiroll {

class AreaReducer {
 public:
  // target must not exceed source on either side; both at least 1 x 1. Equal sizes copy.
  AreaReducer(PixelSize source, PixelSize target)
      : source_(source), target_(target), columns_(Spans(source.width, target.width)),
        rows_(Spans(source.height, target.height)), rowSum_(Channels()), current_(Channels()),
        next_(Channels()) {
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
    SumRow(row);
    const Span& span = rows_[sourceRow_++];
    if (span.first != currentRow_) {
      Emit();
      std::swap(current_, next_);
      std::fill(next_.begin(), next_.end(), 0.0f);
      currentRow_ = span.first;
    }
    Accumulate(current_, span.firstWeight);
    if (span.secondWeight > 0) Accumulate(next_, span.secondWeight);
  }

  // The reduced picture, target.width x target.height, 0x00RRGGBB; call once, after every row.
  [[nodiscard]] std::vector<std::uint32_t> TakePixels() {
    if (sourceRow_ > 0 && !(source_ == target_)) Emit();
    pixels_.resize(static_cast<std::size_t>(target_.width) * target_.height, 0);
    return std::move(pixels_);
  }

 private:
  // Where one source pixel falls among the target pixels: it covers at most two of them, with
  // weights that are the fractions of a target pixel it covers.
  struct Span {
    int first = 0;
    float firstWeight = 0;
    float secondWeight = 0;
  };

  static std::vector<Span> Spans(int source, int target) {
    std::vector<Span> spans(static_cast<std::size_t>(source));
    for (std::int64_t i = 0; i < source; ++i) {
      const std::int64_t start = i * target, end = start + target;  // in 1/source of a target pixel
      const std::int64_t first = start / source, boundary = (first + 1) * source;
      Span& span = spans[static_cast<std::size_t>(i)];
      span.first = static_cast<int>(first);
      span.firstWeight = static_cast<float>(std::min(end, boundary) - start) / static_cast<float>(source);
      span.secondWeight = end > boundary ? static_cast<float>(end - boundary) / static_cast<float>(source) : 0.0f;
    }
    return spans;
  }

  [[nodiscard]] std::size_t Channels() const { return static_cast<std::size_t>(target_.width) * 3; }

  void SumRow(const std::uint32_t* row) {
    std::fill(rowSum_.begin(), rowSum_.end(), 0.0f);
    float* sum = rowSum_.data();
    const std::size_t last = rowSum_.size() - 3;
    for (int x = 0; x < source_.width; ++x) {
      const std::uint32_t p = row[x];
      const float r = static_cast<float>(p >> 16 & 0xFF), g = static_cast<float>(p >> 8 & 0xFF),
                  b = static_cast<float>(p & 0xFF);
      const Span& span = columns_[static_cast<std::size_t>(x)];
      const std::size_t at = static_cast<std::size_t>(span.first) * 3;
      sum[at] += r * span.firstWeight;
      sum[at + 1] += g * span.firstWeight;
      sum[at + 2] += b * span.firstWeight;
      if (span.secondWeight > 0 && at < last) {
        sum[at + 3] += r * span.secondWeight;
        sum[at + 4] += g * span.secondWeight;
        sum[at + 5] += b * span.secondWeight;
      }
    }
  }

  void Accumulate(std::vector<float>& target, float weight) {
    for (std::size_t i = 0; i < target.size(); ++i) target[i] += rowSum_[i] * weight;
  }

  void Emit() {
    if (pixels_.size() >= static_cast<std::size_t>(target_.width) * target_.height) return;
    for (std::size_t i = 0; i < current_.size(); i += 3)
      pixels_.push_back(Channel(current_[i]) << 16 | Channel(current_[i + 1]) << 8 | Channel(current_[i + 2]));
  }

  static std::uint32_t Channel(float value) {
    return static_cast<std::uint32_t>(std::clamp(value + 0.5f, 0.0f, 255.0f));
  }

  PixelSize source_, target_;
  std::vector<Span> columns_, rows_;
  std::vector<float> rowSum_, current_, next_;
  std::vector<std::uint32_t> pixels_;
  int sourceRow_ = 0;
  int currentRow_ = 0;
};

}  // namespace lumiroll
