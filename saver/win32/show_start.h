#pragma once
// What the show starts from: the image list of the photo folder, built behind the cover.
#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace lumiroll {

struct ShowStart {
  std::int16_t ImageCount = 0;
  std::vector<std::wstring> ImageNames;  // in the order of the show
  std::int16_t UsePassword = 0;
  std::vector<std::wstring> OnlineOnly;  // the names of those not on the disk until read
};

// Builds the image list of the photo folder, shuffled for random order, on a thread of its own
// that is never joined: a folder on a share that stopped answering holds nobody up. Meanwhile
// this thread's events are handled, so input reaches the covering window's handlers, which may
// end the program. Returns the list once it is in.
[[nodiscard]] ShowStart AwaitShowImages(const Settings& settings);

}  // namespace lumiroll
