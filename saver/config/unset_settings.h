#pragma once
// What the settings dialog shows for settings never saved.
#include <string_view>

#include "settings/settings.h"

namespace lumiroll {

// Where a never-set folder starts: drive C's current folder.
inline constexpr std::wstring_view kStartFolderWhenUnset = L"c:";

// Size 0 and order 0 become 1, folder "0" becomes "c:"; the delay is left as it is, so a
// never-set delay shows as 0.
void FillUnsetSettings(Settings& settings);

}  // namespace lumiroll
