#include "saver/config/preview_pictures.h"

#include "settings/settings.h"

namespace lumiroll {

PreviewMode PreviewModeOf(std::int16_t PhotoSize) {
  return PhotoSize == kActualSize ? PreviewMode::kActualSize : PreviewMode::kFitted;
}

float PreviewScaleFor(PreviewMode mode, const PreviewArea& area) {
  if (mode != PreviewMode::kActualSize || area.screenWidth <= 0 || area.width <= 0) return 0.0f;
  return static_cast<float>(area.width) / static_cast<float>(area.screenWidth);
}

std::size_t PreviewPictures::IndexOf(PreviewMode mode) { return mode == PreviewMode::kActualSize ? 1 : 0; }

void PreviewPictures::Select(std::int16_t listIndex, const std::wstring& path, const PreviewArea& area) {
  for (const PreviewMode mode : {PreviewMode::kFitted, PreviewMode::kActualSize}) {
    Slot& slot = slots_[IndexOf(mode)];
    slot.wanted = DecodeRequest{static_cast<std::int16_t>(listIndex + 1),
                                path,
                                {area.width, area.height, PreviewScaleFor(mode, area)},
                                area.display};
    slot.done = false;
  }
}

void PreviewPictures::Forget() {
  for (Slot& slot : slots_) slot.wanted.reset();
}

std::optional<DecodeRequest> PreviewPictures::NextRequest(PreviewMode shown) const {
  const Slot& first = slots_[IndexOf(shown)];
  const Slot& second = slots_[1 - IndexOf(shown)];
  for (const Slot* slot : {&first, &second})
    if (slot->wanted && !slot->done) return slot->wanted;
  return std::nullopt;
}

bool PreviewPictures::Finish(const DecodedPicture& decoded) {
  const auto wants = [&](const Slot& slot) { return slot.wanted && !slot.done && decoded.request == *slot.wanted; };
  if (!wants(slots_[0]) && !wants(slots_[1])) return false;
  if (!decoded.picture) {
    // The same file would fail, or stall, in the other mode too.
    for (Slot& slot : slots_) slot.done = true;
    return false;
  }
  // Both modes want the same decode when the scales agree (no screen width to scale by).
  for (Slot& slot : slots_) {
    if (!wants(slot)) continue;
    slot.done = true;
    slot.picture = decoded.picture;
  }
  return true;
}

bool PreviewPictures::Ready(PreviewMode mode) const {
  const Slot& slot = slots_[IndexOf(mode)];
  return !slot.wanted || slot.done;
}

const Picture* PreviewPictures::PictureFor(PreviewMode mode) const {
  const std::optional<Picture>& picture = slots_[IndexOf(mode)].picture;
  return picture ? &*picture : nullptr;
}

}  // namespace lumiroll
