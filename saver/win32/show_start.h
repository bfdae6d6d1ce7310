#pragma once
// What the show starts from: Form1's load step up to showing the window.
#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace lumiroll {

enum class ShowStartOutcome { Ended, SettingsDialog, Show };

struct ShowStart {
  ShowStartOutcome outcome = ShowStartOutcome::Ended;
  std::int16_t ImageCount = 0;
  std::vector<std::wstring> ImageNames;  // in the order of the show
  std::int16_t UsePassword = 0;
  std::vector<std::wstring> OnlineOnly;  // the names of those not on the disk until read
};

// Builds the image list of the photo folder (a message, and the end, when the folder is missing
// or holds no image), shuffles it for random order, reads the desktop's password flag and
// checks that the settings are complete (the settings dialog instead when they are not).
[[nodiscard]] ShowStart CheckShowStart(const Settings& settings);

}  // namespace lumiroll
