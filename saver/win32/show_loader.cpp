#include "saver/win32/show_loader.h"

#include "saver/fitted_frame.h"
#include "saver/win32/picture_file_loads.h"
#include "saver/win32/show_counters.h"

namespace lumiroll {
namespace {

// A fitted picture is stretched onto its frame on the worker; one that cannot be is kept as it is.
std::optional<Picture> ShapeForShow(Picture picture, const DecodeRequest& request) {
  const DrawBound& bound = request.bound;
  if (bound.scale != 0.0f || bound.width <= 0 || bound.height <= 0) return picture;
  if (auto frame = FittedFrame(picture, bound.width, bound.height)) return frame;
  return picture;
}

}  // namespace

ShowLoader::ShowLoader()
    : finished_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      loader_(
          [](LoadJob& job) {
            CountDecode();
            return LoadJobPicture(job, &ShapeForShow);
          },
          [event = finished_.get()] { ::SetEvent(event); }, SystemLoaderOptions()) {}

}  // namespace lumiroll
