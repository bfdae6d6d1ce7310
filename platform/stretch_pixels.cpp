#include "platform/stretch_pixels.h"

#include <emmintrin.h>  // SSE2: every x86-64 processor has it

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/catmull_rom.h"

namespace lumiroll {
namespace {

// Which source pixels, with which weights, make one target pixel along one axis.
struct Tap {
  int first = 0;
  int count = 0;
  std::size_t weightsAt = 0;
};

// Weights are fixed-point with this many fraction bits, so that each fits 16 bits for SSE2's
// multiply-add of pixel pairs, and 14 bits are ample for 8-bit channels.
constexpr int kWeightBits = 14;
constexpr std::int32_t kOne = 1 << kWeightBits;

struct AxisFilter {
  std::vector<Tap> taps;
  std::vector<std::int32_t> weights;
  int widestTap = 0;
};

// Weighted source pixels, contiguous and sorted, for one target pixel; weights sum to 1.
struct Contribution {
  int first = 0;
  std::vector<double> weights;

  void Restart() { weights.clear(); }
  void Add(int index, double weight) {
    if (weights.empty()) first = index;
    const int at = index - first;
    if (at >= static_cast<int>(weights.size())) weights.resize(at + 1, 0.0);
    weights[at] += weight;
  }
  void TrimZeros() {
    while (!weights.empty() && weights.back() == 0.0) weights.pop_back();
    std::size_t leading = 0;
    while (leading + 1 < weights.size() && weights[leading] == 0.0) ++leading;
    weights.erase(weights.begin(), weights.begin() + static_cast<std::ptrdiff_t>(leading));
    first += static_cast<int>(leading);
  }
};

// The source span [d, d + 1) of the target covers, each source pixel weighted by its overlap.
void AreaAverage(int sourceSize, double scale, double d, Contribution& contribution) {
  const double from = std::max(0.0, d / scale);
  const double to = std::min(static_cast<double>(sourceSize), (d + 1) / scale);
  contribution.Restart();
  const int last = std::clamp(static_cast<int>(std::ceil(to)) - 1, 0, sourceSize - 1);
  for (int k = std::clamp(static_cast<int>(std::floor(from)), 0, sourceSize - 1); k <= last; ++k)
    contribution.Add(k, std::max(0.0, std::min(to, k + 1.0) - std::max(from, static_cast<double>(k))));
}

void Interpolate(int sourceSize, double scale, double d, Contribution& contribution) {
  const double centre = (d + 0.5) / scale - 0.5;
  const double base = std::floor(centre);
  contribution.Restart();
  for (int k = -1; k <= 2; ++k) {
    const double index = std::clamp(base + k, 0.0, sourceSize - 1.0);
    contribution.Add(static_cast<int>(index), CatmullRom(centre - (base + k)));
  }
}

// Weights scaled to sum exactly to kOne, so a flat colour and a copy at scale 1 stay exact.
void AppendFixedPoint(const std::vector<double>& weights, double sum, std::vector<std::int32_t>& out) {
  const std::size_t start = out.size();
  std::int32_t total = 0;
  std::size_t largest = start;
  for (double w : weights) {
    const auto fixed = static_cast<std::int32_t>(std::lround(w / sum * kOne));
    total += fixed;
    out.push_back(fixed);
    if (out.back() > out[largest]) largest = out.size() - 1;
  }
  out[largest] += kOne - total;
}

// The filter for `count` target pixels starting `offset` pixels into a stretch of `sourceSize`
// source pixels over `size` target pixels.
AxisFilter MakeAxisFilter(int sourceSize, std::int64_t size, std::int64_t offset, int count) {
  const double scale = static_cast<double>(size) / sourceSize;
  AxisFilter filter;
  filter.taps.reserve(count);
  Contribution c;  // reused: one allocation, not one per target pixel
  for (int i = 0; i < count; ++i) {
    const double d = static_cast<double>(offset + i);
    if (scale < 1) AreaAverage(sourceSize, scale, d, c);
    else Interpolate(sourceSize, scale, d, c);
    c.TrimZeros();
    double sum = 0;
    for (double w : c.weights) sum += w;
    if (c.weights.empty() || sum <= 0) {
      c.Restart();
      c.Add(std::clamp(static_cast<int>(d / scale), 0, sourceSize - 1), 1.0);
    }
    const int n = static_cast<int>(c.weights.size());
    filter.taps.push_back({c.first, n, filter.weights.size()});
    AppendFixedPoint(c.weights, sum > 0 ? sum : 1, filter.weights);
    filter.widestTap = std::max(filter.widestTap, n);
  }
  return filter;
}

// Two 16-bit weights side by side, for _mm_madd_epi16 on pairs of channel values.
__m128i WeightPair(std::int32_t first, std::int32_t second) {
  return _mm_set1_epi32(
      static_cast<int>((static_cast<std::uint32_t>(first) & 0xFFFF) | (static_cast<std::uint32_t>(second) << 16)));
}

// The channels of one pixel as four 16-bit values.
__m128i Widen(std::uint32_t pixel) {
  return _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(pixel)), _mm_setzero_si128());
}

// Fixed-point sums back to bytes, rounded and clamped to 0..255.
__m128i Narrow(__m128i a, __m128i b, __m128i c, __m128i d) {
  const auto shift = [](__m128i v) { return _mm_srai_epi32(v, kWeightBits); };
  return _mm_packus_epi16(_mm_packs_epi32(shift(a), shift(b)), _mm_packs_epi32(shift(c), shift(d)));
}

// Each tap's source pixels, two at a time: their channels interleaved, multiplied and summed.
void FilterRow(const std::uint32_t* sourceRow, const AxisFilter& filter, std::uint32_t* out) {
  const __m128i half = _mm_set1_epi32(kOne >> 1);
  for (const Tap& tap : filter.taps) {
    const std::int32_t* w = &filter.weights[tap.weightsAt];
    const std::uint32_t* in = sourceRow + tap.first;
    __m128i sum = half;
    int k = 0;
    for (; k + 1 < tap.count; k += 2)
      sum = _mm_add_epi32(
          sum, _mm_madd_epi16(_mm_unpacklo_epi16(Widen(in[k]), Widen(in[k + 1])), WeightPair(w[k], w[k + 1])));
    if (k < tap.count)
      sum = _mm_add_epi32(sum,
                          _mm_madd_epi16(_mm_unpacklo_epi16(Widen(in[k]), _mm_setzero_si128()), WeightPair(w[k], 0)));
    *out++ = static_cast<std::uint32_t>(_mm_cvtsi128_si32(Narrow(sum, sum, sum, sum))) & 0xFFFFFF;
  }
}

// Four target pixels (16 bytes) from rows k and k + 1 of the tap.
void AddRowPair(__m128i (&sum)[4], __m128i upper, __m128i lower, __m128i weights) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i upperLow = _mm_unpacklo_epi8(upper, zero), upperHigh = _mm_unpackhi_epi8(upper, zero);
  const __m128i lowerLow = _mm_unpacklo_epi8(lower, zero), lowerHigh = _mm_unpackhi_epi8(lower, zero);
  sum[0] = _mm_add_epi32(sum[0], _mm_madd_epi16(_mm_unpacklo_epi16(upperLow, lowerLow), weights));
  sum[1] = _mm_add_epi32(sum[1], _mm_madd_epi16(_mm_unpackhi_epi16(upperLow, lowerLow), weights));
  sum[2] = _mm_add_epi32(sum[2], _mm_madd_epi16(_mm_unpacklo_epi16(upperHigh, lowerHigh), weights));
  sum[3] = _mm_add_epi32(sum[3], _mm_madd_epi16(_mm_unpackhi_epi16(upperHigh, lowerHigh), weights));
}

__m128i LoadPixels(const std::uint32_t* row, int x, int available) {
  if (available >= 4) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
  alignas(16) std::uint32_t part[4] = {};
  std::copy_n(row + x, available, part);
  return _mm_load_si128(reinterpret_cast<const __m128i*>(part));
}

// One target row from the horizontally filtered source rows of its tap, four pixels at a time.
void FilterColumn(const std::uint32_t* const* rows, const std::int32_t* w, int count, int width, std::uint32_t* out) {
  const __m128i half = _mm_set1_epi32(kOne >> 1);
  for (int x = 0; x < width; x += 4) {
    const int available = std::min(4, width - x);
    __m128i sum[4] = {half, half, half, half};
    int k = 0;
    for (; k + 1 < count; k += 2)
      AddRowPair(sum, LoadPixels(rows[k], x, available), LoadPixels(rows[k + 1], x, available),
                 WeightPair(w[k], w[k + 1]));
    if (k < count) AddRowPair(sum, LoadPixels(rows[k], x, available), _mm_setzero_si128(), WeightPair(w[k], 0));
    alignas(16) std::uint32_t pixels[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(pixels), Narrow(sum[0], sum[1], sum[2], sum[3]));
    for (int i = 0; i < available; ++i) out[x + i] = pixels[i] & 0xFFFFFF;
  }
}

// Horizontally filtered source rows, kept while the target rows that need them are made.
class RowRing {
 public:
  RowRing(const PixelsView& source, const AxisFilter& horizontal, int slots)
      : source_(source), horizontal_(horizontal), rowLength_(horizontal.taps.size()),
        rows_(static_cast<std::size_t>(slots) * rowLength_), held_(slots, -1) {}

  const std::uint32_t* Row(int y) {
    const std::size_t slot = static_cast<std::size_t>(y) % held_.size();
    std::uint32_t* row = &rows_[slot * rowLength_];
    if (held_[slot] != y) {
      FilterRow(&source_.pixels[static_cast<std::size_t>(y) * source_.width], horizontal_, row);
      held_[slot] = y;
    }
    return row;
  }

 private:
  const PixelsView& source_;
  const AxisFilter& horizontal_;
  std::size_t rowLength_;
  std::vector<std::uint32_t> rows_;
  std::vector<int> held_;
};

bool Usable(const PixelsView& source, const PixelsTarget& target, const StretchRectangle& r) {
  return source.width > 0 && source.height > 0 && target.width > 0 && target.height > 0 && r.width > 0 &&
         r.height > 0 &&
         source.pixels.size() >= static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height) &&
         target.pixels.size() >= static_cast<std::size_t>(target.width) * static_cast<std::size_t>(target.height);
}

// Actual size needs no filtering: the visible rows are copied.
void CopyVisible(const PixelsView& source, const PixelsTarget& target, std::int64_t sourceX, std::int64_t sourceY,
                 std::int64_t targetX, std::int64_t targetY, int width, int height) {
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* from = &source.pixels[static_cast<std::size_t>(sourceY + y) * source.width + sourceX];
    std::uint32_t* to = &target.pixels[static_cast<std::size_t>(targetY + y) * target.width + targetX];
    for (int x = 0; x < width; ++x) to[x] = from[x] & 0xFFFFFF;
  }
}

}  // namespace

void StretchPixels(const PixelsView& source, const PixelsTarget& target, const StretchRectangle& rectangle) {
  if (!Usable(source, target, rectangle)) return;
  // The part of the rectangle inside the target; 64-bit, so no sum can overflow.
  const std::int64_t x0 = std::max<std::int64_t>(rectangle.left, 0);
  const std::int64_t y0 = std::max<std::int64_t>(rectangle.top, 0);
  const std::int64_t x1 = std::min<std::int64_t>(rectangle.left + rectangle.width, target.width);
  const std::int64_t y1 = std::min<std::int64_t>(rectangle.top + rectangle.height, target.height);
  if (x0 >= x1 || y0 >= y1) return;
  const int visibleWidth = static_cast<int>(x1 - x0);
  const int visibleHeight = static_cast<int>(y1 - y0);
  if (rectangle.width == source.width && rectangle.height == source.height) {
    CopyVisible(source, target, x0 - rectangle.left, y0 - rectangle.top, x0, y0, visibleWidth, visibleHeight);
    return;
  }

  const AxisFilter horizontal = MakeAxisFilter(source.width, rectangle.width, x0 - rectangle.left, visibleWidth);
  const AxisFilter vertical = MakeAxisFilter(source.height, rectangle.height, y0 - rectangle.top, visibleHeight);
  RowRing ring(source, horizontal, vertical.widestTap);
  std::vector<const std::uint32_t*> rows(vertical.widestTap);
  for (int y = 0; y < visibleHeight; ++y) {
    const Tap& tap = vertical.taps[y];
    for (int k = 0; k < tap.count; ++k) rows[k] = ring.Row(tap.first + k);
    FilterColumn(rows.data(), &vertical.weights[tap.weightsAt], tap.count, visibleWidth,
                 &target.pixels[static_cast<std::size_t>(y0 + y) * target.width + x0]);
  }
}

}  // namespace lumiroll
