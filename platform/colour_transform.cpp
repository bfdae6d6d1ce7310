// LittleCMS transforms from pictures' profiles to the display's, made once and kept in a small
// cache: a folder of photographs from one camera shares one profile, and making a transform
// costs far more than running it on a screenful of pixels.
#include "platform/colour_transform.h"

#include <lcms2.h>

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/icc_profile.h"
#include "platform/matrix_shaper_transform.h"

namespace lumiroll {
namespace {

constexpr std::size_t kCachedTransforms = 8;

struct ProfileCloser {
  void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using UniqueProfile = std::unique_ptr<void, ProfileCloser>;
struct TransformDeleter {
  void operator()(void* transform) const { cmsDeleteTransform(transform); }
};
using UniqueTransform = std::unique_ptr<void, TransformDeleter>;

class LcmsTransform final : public ColourTransform {
 public:
  explicit LcmsTransform(UniqueTransform transform) : transform_(std::move(transform)) {}
  // LittleCMS runs one transform from several threads at once (made without its one-colour cache).
  void Apply(std::span<std::uint32_t> pixels) const override {
    constexpr std::size_t kChunk = std::size_t{1} << 24;
    for (std::size_t done = 0; done < pixels.size(); done += kChunk) {
      const std::size_t count = std::min(kChunk, pixels.size() - done);
      cmsDoTransform(transform_.get(), pixels.data() + done, pixels.data() + done, static_cast<cmsUInt32Number>(count));
    }
  }

 private:
  UniqueTransform transform_;
};

// Grey read from the first of four bytes, the other three skipped.
constexpr cmsUInt32Number kGreyInFourBytes = COLORSPACE_SH(PT_GRAY) | CHANNELS_SH(1) | BYTES_SH(1) | EXTRA_SH(3);

struct LayoutNeeds {
  IccColourSpace space;
  cmsUInt32Number format;
};

LayoutNeeds NeedsOf(PixelLayout layout) {
  switch (layout) {
    case PixelLayout::kBgrx: return {IccColourSpace::kRgb, TYPE_BGRA_8};
    case PixelLayout::kGreyInBgrx: return {IccColourSpace::kGrey, kGreyInFourBytes};
    case PixelLayout::kCmyk: return {IccColourSpace::kCmyk, TYPE_CMYK_8};
    case PixelLayout::kCmykInverted: return {IccColourSpace::kCmyk, TYPE_CMYK_8_REV};
  }
  return {IccColourSpace::kOther, 0};
}

UniqueProfile OpenProfile(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return UniqueProfile(cmsCreate_sRGBProfile());
  return UniqueProfile(cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(bytes.size())));
}

// Pictures' profiles describe devices or colour spaces; links and abstract profiles do not.
bool DescribesPictures(cmsHPROFILE profile) {
  const cmsProfileClassSignature kind = cmsGetDeviceClass(profile);
  return kind == cmsSigInputClass || kind == cmsSigDisplayClass || kind == cmsSigOutputClass ||
         kind == cmsSigColorSpaceClass;
}

std::unique_ptr<ColourTransform> MakeTransform(std::span<const std::uint8_t> source, PixelLayout layout,
                                               std::span<const std::uint8_t> display) {
  const LayoutNeeds needs = NeedsOf(layout);
  if (IccProfileColourSpace(source) != needs.space) return nullptr;
  const UniqueProfile from = OpenProfile(source);
  const UniqueProfile to = OpenProfile(display);
  if (!from || !to || !DescribesPictures(from.get())) return nullptr;
  // Perceptual where the picture's profile has it (photographs' look kept as their maker meant
  // it), relative colorimetric otherwise.
  const cmsUInt32Number intent = cmsIsIntentSupported(from.get(), INTENT_PERCEPTUAL, LCMS_USED_AS_INPUT)
                                     ? INTENT_PERCEPTUAL
                                     : INTENT_RELATIVE_COLORIMETRIC;
  if (layout == PixelLayout::kBgrx)
    if (auto fast = MakeMatrixShaperTransform(from.get(), to.get())) return fast;
  UniqueTransform general(
      cmsCreateTransform(from.get(), needs.format, to.get(), TYPE_BGRA_8, intent, cmsFLAGS_NOCACHE));
  if (!general) return nullptr;
  return std::make_unique<LcmsTransform>(std::move(general));
}

struct CacheEntry {
  std::vector<std::uint8_t> profile;
  PixelLayout layout;
  DisplayProfile display;
  std::shared_ptr<const ColourTransform> transform;  // null: the profile was refused
};

class TransformCache {
 public:
  std::shared_ptr<const ColourTransform> Find(std::span<const std::uint8_t> profile, PixelLayout layout,
                                              const DisplayProfile& display) {
    const std::lock_guard lock(mutex_);
    for (const CacheEntry& entry : entries_)
      if (entry.layout == layout && entry.display == display && std::ranges::equal(entry.profile, profile))
        return entry.transform;
    std::shared_ptr<const ColourTransform> made = MakeTransform(profile, layout, display.bytes());
    if (entries_.size() == kCachedTransforms) entries_.erase(entries_.begin());  // the oldest
    entries_.push_back({{profile.begin(), profile.end()}, layout, display, made});
    return made;
  }

 private:
  std::mutex mutex_;
  std::vector<CacheEntry> entries_;
};

TransformCache& Cache() {
  static TransformCache cache;
  return cache;
}

std::vector<std::uint8_t> SaveProfile(cmsHPROFILE profile) {
  cmsUInt32Number size = 0;
  if (!cmsSaveProfileToMem(profile, nullptr, &size)) return {};
  std::vector<std::uint8_t> bytes(size);
  if (!cmsSaveProfileToMem(profile, bytes.data(), &size)) return {};
  return bytes;
}

std::vector<std::uint8_t> MakeAdobeRgbProfile() {
  // D65 white, the Adobe RGB (1998) primaries and its gamma of 563/256.
  const cmsCIExyY white{0.3127, 0.3290, 1.0};
  const cmsCIExyYTRIPLE primaries{{0.6400, 0.3300, 1.0}, {0.2100, 0.7100, 1.0}, {0.1500, 0.0600, 1.0}};
  cmsToneCurve* gamma = cmsBuildGamma(nullptr, 563.0 / 256.0);
  if (!gamma) return {};
  cmsToneCurve* curves[3] = {gamma, gamma, gamma};
  const UniqueProfile profile(cmsCreateRGBProfile(&white, &primaries, curves));
  cmsFreeToneCurve(gamma);
  return profile ? SaveProfile(profile.get()) : std::vector<std::uint8_t>{};
}

}  // namespace

std::shared_ptr<const ColourTransform> TransformToDisplay(std::span<const std::uint8_t> profile, PixelLayout layout,
                                                          const DisplayProfile& display) {
  if (profile.empty() || profile.size() > kMaxIccProfileBytes) return nullptr;
  return Cache().Find(profile, layout, display);
}

std::span<const std::uint8_t> AdobeRgbProfile() {
  static const std::vector<std::uint8_t> profile = MakeAdobeRgbProfile();
  return profile;
}

bool UsableAsDisplayProfile(std::span<const std::uint8_t> profile) {
  if (profile.empty() || profile.size() > kMaxIccProfileBytes) return false;
  if (IccProfileColourSpace(profile) != IccColourSpace::kRgb) return false;
  const UniqueProfile from = OpenProfile({});
  const UniqueProfile to = OpenProfile(profile);
  return from && to && DescribesPictures(to.get()) &&
         UniqueTransform(cmsCreateTransform(from.get(), TYPE_BGRA_8, to.get(), TYPE_BGRA_8, INTENT_PERCEPTUAL, 0));
}

}  // namespace lumiroll
