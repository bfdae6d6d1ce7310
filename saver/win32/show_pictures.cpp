#include "saver/win32/show_pictures.h"

#include "platform/file_system.h"
#include "saver/fitted_frame.h"
#include "saver/win32/picture_jobs.h"

namespace lumiroll {
namespace {

// A fitted picture is stretched onto its frame here, so painting it later is a copy. Both the
// worker and the UI thread load this way; neither touches a window.
std::optional<Picture> LoadForShow(const DecodeRequest& request) {
  std::optional<Picture> picture = LoadPictureFile(request.path, request.bound);
  if (!picture || request.bound.scale != 0.0f || request.bound.width <= 0 || request.bound.height <= 0)
    return picture;
  if (auto frame = FittedFrame(*picture, request.bound.width, request.bound.height)) return frame;
  return picture;
}

}  // namespace

ShowPictures::ShowPictures()
    : finished_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      ahead_([](const DecodeRequest& request) { return DecodeStamped(request, &ReadFileStamp, &LoadForShow); },
             [event = finished_.get()] { ::SetEvent(event); }) {}

std::optional<Picture> ShowPictures::Load(const DecodeRequest& request) {
  std::optional<DecodedPicture> decoded = ahead_.Take(request);
  if (decoded && StillCurrent(*decoded, request, ReadFileStamp(request.path))) return std::move(decoded->picture);
  decoded.reset();  // held no longer than needed: at most the current and the next picture
  return LoadForShow(request);
}

}  // namespace lumiroll
