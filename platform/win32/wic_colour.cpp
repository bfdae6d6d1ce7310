#include "platform/win32/wic_colour.h"

#include <wrl/client.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/icc_profile.h"

namespace lumiroll {
namespace {

using Microsoft::WRL::ComPtr;

constexpr UINT kMaxContexts = 16;
constexpr UINT kExifAdobeRgb = 2;

std::optional<std::vector<std::uint8_t>> ProfileBytes(IWICColorContext& context) {
  WICColorContextType type{};
  if (FAILED(context.GetType(&type))) return std::nullopt;
  if (type == WICColorContextExifColorSpace) {
    UINT space = 0;
    if (FAILED(context.GetExifColorSpace(&space)) || space != kExifAdobeRgb) return std::nullopt;
    const auto adobe = AdobeRgbProfile();
    return std::vector<std::uint8_t>(adobe.begin(), adobe.end());
  }
  UINT size = 0;
  if (FAILED(context.GetProfileBytes(0, nullptr, &size)) || size == 0 || size > kMaxIccProfileBytes)
    return std::nullopt;
  std::vector<std::uint8_t> bytes(size);
  if (FAILED(context.GetProfileBytes(size, bytes.data(), &size)) || size != bytes.size()) return std::nullopt;
  return bytes;
}

}  // namespace

std::shared_ptr<const ColourTransform> WicColourTransform(IWICImagingFactory& factory, IWICBitmapFrameDecode& frame,
                                                          const DisplayProfile& display) {
  UINT count = 0;
  if (FAILED(frame.GetColorContexts(0, nullptr, &count)) || count == 0) return nullptr;
  count = std::min(count, kMaxContexts);
  std::vector<ComPtr<IWICColorContext>> owned(count);
  std::vector<IWICColorContext*> contexts(count);
  for (UINT i = 0; i < count; ++i) {
    if (FAILED(factory.CreateColorContext(&owned[i]))) return nullptr;
    contexts[i] = owned[i].Get();
  }
  UINT got = 0;
  if (FAILED(frame.GetColorContexts(count, contexts.data(), &got))) return nullptr;
  for (UINT i = 0; i < std::min(got, count); ++i) {
    const auto profile = ProfileBytes(*contexts[i]);
    if (!profile) continue;
    const auto space = IccProfileColourSpace(*profile);
    if (space == IccColourSpace::kRgb) return TransformToDisplay(*profile, PixelLayout::kBgrx, display);
    if (space == IccColourSpace::kGrey) return TransformToDisplay(*profile, PixelLayout::kGreyInBgrx, display);
  }
  return nullptr;
}

}  // namespace lumiroll
