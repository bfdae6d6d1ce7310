#pragma once
// Decisions the settings dialog makes while it loads and while it previews.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"

namespace lumiroll {

// Where a never-set folder starts: drive C's current folder.
inline constexpr std::wstring_view kStartFolderWhenUnset = L"c:";

// Size 0 and order 0 become 1, folder "0" becomes "c:"; the delay is left as it is, so a
// never-set delay shows as 0.
void FillUnsetSettings(Settings& settings);

// The scale PaintPhoto gets for the preview: 0 (fit) unless Actual Size, which shrinks the
// picture by the preview's share of the screen's width.
[[nodiscard]] float PreviewScale(std::int16_t PhotoSize, int previewInnerWidth, int screenWidth);

// The drive letter a path starts with ("d:", "D:\Photos"), upper-cased; nothing for "0", a
// relative path or a network path.
[[nodiscard]] std::optional<wchar_t> DriveOfPath(std::wstring_view path);

// The drive the drive list shows once the folder list is set: the drive of the folder the
// folder list really opened, when that drive is listed; otherwise the drive it started on.
// Choosing it this way never runs a drive change that would move the folder list away.
[[nodiscard]] wchar_t DriveToShow(std::wstring_view openedFolder, const std::vector<wchar_t>& listedDrives,
                                  wchar_t startingDrive);

}  // namespace lumiroll
