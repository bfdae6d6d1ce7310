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

namespace area_detail {

// Where one source pixel falls among the target pixels: it covers at most two of them, with
// weights that are the fractions of a target pixel it covers.
struct Span {
  int first = 0;
  float firstWeight = 0;
  float secondWeight = 0;
};

inline std::vector<Span> Spans(int source, int target) {
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

// One source row summed across into the target's columns, three floats a target pixel. Only the
// columns a row's coloured part reaches are touched, so a row that is mostly black costs little.
class RowSums {
 public:
  RowSums(int sourceWidth, int targetWidth)
      : columns_(Spans(sourceWidth, targetWidth)), sums_(static_cast<std::size_t>(targetWidth) * 3) {}

  // Sums the source columns [first, end) of row; the others are black.
  void Sum(const std::uint32_t* row, int first, int end) {
    std::fill(sums_.begin() + static_cast<std::ptrdiff_t>(begin_), sums_.begin() + static_cast<std::ptrdiff_t>(end_),
              0.0f);
    first = std::max(first, 0), end = std::min(end, static_cast<int>(columns_.size()));
    if (first >= end) {
      begin_ = end_ = 0;
      return;
    }
    const Span& last = columns_[static_cast<std::size_t>(end - 1)];
    begin_ = static_cast<std::size_t>(columns_[static_cast<std::size_t>(first)].first) * 3;
    end_ = std::min(sums_.size(), static_cast<std::size_t>(last.first + (last.secondWeight > 0 ? 2 : 1)) * 3);
    float* sum = sums_.data();
    const std::size_t lastPixel = sums_.size() - 3;
    for (int x = first; x < end; ++x) {
      const std::uint32_t p = row[x];
      const float r = static_cast<float>(p >> 16 & 0xFF), g = static_cast<float>(p >> 8 & 0xFF),
                  b = static_cast<float>(p & 0xFF);
      const Span& span = columns_[static_cast<std::size_t>(x)];
      const std::size_t at = static_cast<std::size_t>(span.first) * 3;
      sum[at] += r * span.firstWeight;
      sum[at + 1] += g * span.firstWeight;
      sum[at + 2] += b * span.firstWeight;
      if (span.secondWeight > 0 && at < lastPixel) {
        sum[at + 3] += r * span.secondWeight;
        sum[at + 4] += g * span.secondWeight;
        sum[at + 5] += b * span.secondWeight;
      }
    }
  }

  // Adds the last row's sums, weighted, to a target row's sums.
  void AddTo(float* target, float weight) const {
    for (std::size_t i = begin_; i < end_; ++i) target[i] += sums_[i] * weight;
  }

 private:
  std::vector<Span> columns_;
  std::vector<float> sums_;
  std::size_t begin_ = 0, end_ = 0;  // the sums the last row touched
};

inline std::uint32_t Channel(float value) { return static_cast<std::uint32_t>(std::clamp(value + 0.5f, 0.0f, 255.0f)); }

// Three channel sums as one 0x00RRGGBB pixel.
inline std::uint32_t Pixel(const float* sums) {
  return Channel(sums[0]) << 16 | Channel(sums[1]) << 8 | Channel(sums[2]);
}

}  // namespace area_detail

class AreaReducer {
 public:
  // target must not exceed source on either side; both at least 1 x 1. Equal sizes copy.
  AreaReducer(PixelSize source, PixelSize target)
      : source_(source), target_(target), columns_(source.width, target.width),
        rows_(area_detail::Spans(source.height, target.height)), current_(Channels()), next_(Channels()) {
    pixels_.reserve(static_cast<std::size_t>(target.width) * target.height);
  }

  // The next source row, 0x??RRGGBB (the top byte is ignored).
  void AddRow(const std::uint32_t* row) { AddRow(row, 0, source_.width); }

  // The next source row, black but for its columns [first, end).
  void AddRow(const std::uint32_t* row, int first, int end) {
    if (sourceRow_ >= source_.height) return;
    if (source_ == target_) {
      ++sourceRow_;
      for (int x = 0; x < source_.width; ++x) pixels_.push_back(x >= first && x < end ? row[x] & 0x00FFFFFF : 0);
      return;
    }
    columns_.Sum(row, first, end);
    const area_detail::Span& span = NextSpan();
    columns_.AddTo(current_.data(), span.firstWeight);
    if (span.secondWeight > 0) columns_.AddTo(next_.data(), span.secondWeight);
  }

  // The next count source rows, all black: they move the rows on and add nothing.
  void AddBlankRows(int count) {
    for (; count > 0 && sourceRow_ < source_.height; --count) {
      if (source_ == target_) {
        ++sourceRow_;
        pixels_.resize(pixels_.size() + static_cast<std::size_t>(source_.width), 0);
      } else {
        NextSpan();
      }
    }
  }

  // The reduced picture, target.width x target.height, 0x00RRGGBB; call once, after every row.
  [[nodiscard]] std::vector<std::uint32_t> TakePixels() {
    if (sourceRow_ > 0 && !(source_ == target_)) Emit();
    pixels_.resize(static_cast<std::size_t>(target_.width) * target_.height, 0);
    return std::move(pixels_);
  }

 private:
  [[nodiscard]] std::size_t Channels() const { return static_cast<std::size_t>(target_.width) * 3; }

  // The next source row's place among the target rows; a target row it has passed is finished.
  const area_detail::Span& NextSpan() {
    const area_detail::Span& span = rows_[static_cast<std::size_t>(sourceRow_++)];
    if (span.first != currentRow_) {
      Emit();
      std::swap(current_, next_);
      std::fill(next_.begin(), next_.end(), 0.0f);
      currentRow_ = span.first;
    }
    return span;
  }

  void Emit() {
    if (pixels_.size() >= static_cast<std::size_t>(target_.width) * target_.height) return;
    for (std::size_t i = 0; i < current_.size(); i += 3) pixels_.push_back(area_detail::Pixel(&current_[i]));
  }

  PixelSize source_, target_;
  area_detail::RowSums columns_;
  std::vector<area_detail::Span> rows_;
  std::vector<float> current_, next_;
  std::vector<std::uint32_t> pixels_;
  int sourceRow_ = 0;
  int currentRow_ = 0;
};

// The same averaging for rows that arrive in any order (the passes of an interlaced GIF): the
// whole target is held as sums, three floats a kept pixel, until the last row. A row never given
// is black.
class ScatteredAreaReducer {
 public:
  // target must not exceed source on either side; both at least 1 x 1.
  ScatteredAreaReducer(PixelSize source, PixelSize target)
      : target_(target), columns_(source.width, target.width), rows_(area_detail::Spans(source.height, target.height)),
        sums_(static_cast<std::size_t>(target.width) * target.height * 3) {}

  // Source row y, 0x??RRGGBB, black but for its columns [first, end); a row outside the source is
  // ignored.
  void AddRow(int y, const std::uint32_t* row, int first, int end) {
    if (y < 0 || static_cast<std::size_t>(y) >= rows_.size()) return;
    columns_.Sum(row, first, end);
    const area_detail::Span& span = rows_[static_cast<std::size_t>(y)];
    columns_.AddTo(RowOf(span.first), span.firstWeight);
    if (span.secondWeight > 0 && span.first + 1 < target_.height)
      columns_.AddTo(RowOf(span.first + 1), span.secondWeight);
  }

  [[nodiscard]] std::vector<std::uint32_t> TakePixels() const {
    std::vector<std::uint32_t> pixels(sums_.size() / 3);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = area_detail::Pixel(&sums_[i * 3]);
    return pixels;
  }

 private:
  float* RowOf(int y) { return sums_.data() + static_cast<std::size_t>(y) * target_.width * 3; }

  PixelSize target_;
  area_detail::RowSums columns_;
  std::vector<area_detail::Span> rows_;
  std::vector<float> sums_;
};

}  // namespace lumiroll
