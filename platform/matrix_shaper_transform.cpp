#include "platform/matrix_shaper_transform.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

namespace lumiroll {
namespace {

using Matrix = std::array<double, 9>;

// Linear light in fixed point: 1.0 is kOne, fine enough that the darkest steps of a pure-gamma
// curve stay under one level apart (LittleCMS's own 8-bit matrix path uses 14 bits).
constexpr int kLinearBits = 16;
constexpr int kOne = (1 << kLinearBits) - 1;

bool HasAnyTag(cmsHPROFILE profile, std::initializer_list<cmsTagSignature> tags) {
  return std::ranges::any_of(tags, [&](cmsTagSignature tag) { return cmsIsTag(profile, tag); });
}

bool PlainMatrixShaper(cmsHPROFILE profile) {
  return cmsGetColorSpace(profile) == cmsSigRgbData && cmsGetPCS(profile) == cmsSigXYZData &&
         cmsIsMatrixShaper(profile) &&
         !HasAnyTag(profile, {cmsSigAToB0Tag, cmsSigAToB1Tag, cmsSigAToB2Tag, cmsSigBToA0Tag, cmsSigBToA1Tag,
                              cmsSigBToA2Tag, cmsSigDToB0Tag, cmsSigBToD0Tag});
}

// Columns: the red, green and blue colorants (PCS XYZ, D50).
std::optional<Matrix> ColorantMatrix(cmsHPROFILE profile) {
  const cmsTagSignature tags[3] = {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag};
  Matrix m{};
  for (int column = 0; column < 3; ++column) {
    const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, tags[column]));
    if (!xyz) return std::nullopt;
    m[column] = xyz->X, m[3 + column] = xyz->Y, m[6 + column] = xyz->Z;
  }
  return m;
}

std::optional<Matrix> Inverse(const Matrix& m) {
  const double det =
      m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) + m[2] * (m[3] * m[7] - m[4] * m[6]);
  if (!std::isfinite(det) || std::abs(det) < 1e-9) return std::nullopt;
  return Matrix{
      (m[4] * m[8] - m[5] * m[7]) / det, (m[2] * m[7] - m[1] * m[8]) / det, (m[1] * m[5] - m[2] * m[4]) / det,
      (m[5] * m[6] - m[3] * m[8]) / det, (m[0] * m[8] - m[2] * m[6]) / det, (m[2] * m[3] - m[0] * m[5]) / det,
      (m[3] * m[7] - m[4] * m[6]) / det, (m[1] * m[6] - m[0] * m[7]) / det, (m[0] * m[4] - m[1] * m[3]) / det};
}

Matrix Times(const Matrix& a, const Matrix& b) {
  Matrix r{};
  for (std::size_t i = 0; i < 3; ++i)
    for (std::size_t j = 0; j < 3; ++j)
      r[i * 3 + j] = a[i * 3] * b[j] + a[i * 3 + 1] * b[3 + j] + a[i * 3 + 2] * b[6 + j];
  return r;
}

const cmsToneCurve* Curve(cmsHPROFILE profile, int channel) {
  const cmsTagSignature tags[3] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
  return static_cast<const cmsToneCurve*>(cmsReadTag(profile, tags[channel]));
}

struct CurveFreer {
  void operator()(cmsToneCurve* curve) const { cmsFreeToneCurve(curve); }
};

class MatrixShaperTransform final : public ColourTransform {
 public:
  // Fills the tables; false when a curve cannot be read or turned round.
  bool Build(cmsHPROFILE from, cmsHPROFILE to, const Matrix& matrix) {
    for (int c = 0; c < 3; ++c) {
      const cmsToneCurve* in = Curve(from, c);
      const cmsToneCurve* out = Curve(to, c);
      if (!in || !out) return false;
      const std::unique_ptr<cmsToneCurve, CurveFreer> back(cmsReverseToneCurve(out));
      if (!back || cmsEvalToneCurveFloat(in, 0.0f) > 1e-4f || cmsEvalToneCurveFloat(out, 0.0f) > 1e-4f) return false;
      // Each input value's share of the three outputs: the matrix multiplied out in advance.
      for (int v = 0; v < 256; ++v) {
        const double linear = cmsEvalToneCurveFloat(in, static_cast<float>(v) / 255.0f);
        for (int row = 0; row < 3; ++row)
          share_[c][v][row] = static_cast<std::int32_t>(std::lround(matrix[row * 3 + c] * linear * kOne));
      }
      for (int i = 0; i <= kOne; ++i) {
        const float encoded = cmsEvalToneCurveFloat(back.get(), static_cast<float>(i) / kOne);
        encoded_[c][i] = static_cast<std::uint8_t>(std::lround(std::clamp(encoded, 0.0f, 1.0f) * 255.0f));
      }
    }
    return true;
  }

  void Apply(std::span<std::uint32_t> pixels) const override {
    for (std::uint32_t& p : pixels) {
      const auto& r = share_[0][p >> 16 & 0xFF];
      const auto& g = share_[1][p >> 8 & 0xFF];
      const auto& b = share_[2][p & 0xFF];
      const auto out = [&](int row) { return encoded_[row][std::clamp(r[row] + g[row] + b[row], 0, kOne)]; };
      p = (p & 0xFF000000u) | std::uint32_t{out(0)} << 16 | std::uint32_t{out(1)} << 8 | out(2);
    }
  }

 private:
  std::array<std::array<std::array<std::int32_t, 3>, 256>, 3> share_{};
  std::array<std::array<std::uint8_t, kOne + 1>, 3> encoded_{};
};

}  // namespace

std::unique_ptr<ColourTransform> MakeMatrixShaperTransform(cmsHPROFILE from, cmsHPROFILE to) {
  if (!PlainMatrixShaper(from) || !PlainMatrixShaper(to)) return nullptr;
  const auto source = ColorantMatrix(from), target = ColorantMatrix(to);
  const auto back = target ? Inverse(*target) : std::nullopt;
  if (!source || !back) return nullptr;
  auto transform = std::make_unique<MatrixShaperTransform>();
  if (!transform->Build(from, to, Times(*back, *source))) return nullptr;
  return transform;
}

}  // namespace lumiroll
