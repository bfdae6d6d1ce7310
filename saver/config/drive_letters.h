#pragma once
// The drive letters of the settings dialog's folder paths, and the one its drive list shows.
#include <optional>
#include <string_view>
#include <vector>

namespace lumiroll {

// The drive letter a path starts with ("d:", "D:\Photos"), upper-cased; nothing for "0", a
// relative path or a network path.
[[nodiscard]] std::optional<wchar_t> DriveOfPath(std::wstring_view path);

// The drive the drive list shows once the folder list is set: the drive of the folder the
// folder list really opened, when that drive is listed; otherwise the drive it started on.
// Choosing it this way never runs a drive change that would move the folder list away.
[[nodiscard]] wchar_t DriveToShow(std::wstring_view openedFolder, const std::vector<wchar_t>& listedDrives,
                                  wchar_t startingDrive);

}  // namespace lumiroll
