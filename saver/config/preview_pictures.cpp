#include "saver/config/preview_pictures.h"

#include <utility>

#include "saver/config/dialog_start.h"
#include "settings/settings.h"

namespace lumiroll {
namespace {

std::size_t Slot(PreviewMode mode) { return mode == PreviewMode::kActualSize ? 1 : 0; }

}  // namespace

PreviewMode PreviewModeOf(std::int16_t PhotoSize) {
  return PhotoSize == kActualSize ? PreviewMode::kActualSize : PreviewMode::kFitted;
}

float PreviewScaleFor(PreviewMode mode, const PreviewArea& area) {
  return PreviewScale(mode == PreviewMode::kActualSize ? kActualSize : kFitScreen, area.width, area.screenWidth);
}

std::array<DecodeRequest, 2> PreviewPictures::Select(std::int16_t listIndex, std::wstring path,
                                                     const PreviewArea& area) {
  std::array<DecodeRequest, 2> requests;
  for (const PreviewMode mode : kPreviewModes) {
    requests[Slot(mode)] = {static_cast<std::int16_t>(listIndex + 1), path,
                            {area.width, area.height, PreviewScaleFor(mode, area)}};
    wanted_[Slot(mode)] = requests[Slot(mode)];
  }
  return requests;
}

void PreviewPictures::Forget() { wanted_ = {}; }

bool PreviewPictures::Finish(PreviewMode mode, const DecodedPicture& decoded) {
  const std::size_t slot = Slot(mode);
  if (!wanted_[slot] || decoded.request != *wanted_[slot] || !decoded.picture) return false;
  pictures_[slot] = decoded.picture;
  return true;
}

const Picture* PreviewPictures::PictureFor(PreviewMode mode) const {
  const std::optional<Picture>& picture = pictures_[Slot(mode)];
  return picture ? &*picture : nullptr;
}

std::wstring FileInFolder(std::wstring_view folder, std::wstring_view name) {
  std::wstring path(folder);
  path += L'\\';
  path += name;
  return path;
}

}  // namespace lumiroll
