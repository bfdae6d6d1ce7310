#pragma once
// Colour management with LittleCMS: a picture's colour profile to the display's. Transforms are
// made once per (picture profile, pixel layout, display profile) and shared; every function here
// may be called from any thread.
#include <cstdint>
#include <memory>
#include <span>

#include "platform/display_profile.h"

namespace lumiroll {

// How the pixels handed to a transform are stored, four bytes each.
enum class PixelLayout {
  kBgrx,          // 0x00RRGGBB
  kGreyInBgrx,    // 0x00RRGGBB with R = G = B: the grey level is read from blue
  kCmyk,          // C, M, Y, K bytes
  kCmykInverted,  // the same, stored inverted (Adobe's habit)
};

class ColourTransform {
 public:
  virtual ~ColourTransform() = default;
  // Converts in place; the result is 0x??RRGGBB in the display's colours (the top byte as it was).
  virtual void Apply(std::span<std::uint32_t> pixels) const = 0;
};

// The transform from a picture's profile to the display's; nullptr when the picture's profile is
// damaged, absurdly large, does not suit the layout, or LittleCMS refuses it (the picture then
// shows as untagged).
[[nodiscard]] std::shared_ptr<const ColourTransform> TransformToDisplay(std::span<const std::uint8_t> profile,
                                                                        PixelLayout layout,
                                                                        const DisplayProfile& display);

// Adobe RGB (1998), for pictures that declare it without embedding a profile.
[[nodiscard]] std::span<const std::uint8_t> AdobeRgbProfile();

// Whether pictures can be converted to this profile: an RGB device or colour-space profile that
// LittleCMS takes as a target, within the size any real profile has.
[[nodiscard]] bool UsableAsDisplayProfile(std::span<const std::uint8_t> profile);

}  // namespace lumiroll
