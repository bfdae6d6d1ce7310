#include "saver/config/drive_letters.h"

#include <algorithm>

#include "shared/text_forms.h"

namespace lumiroll {

std::optional<wchar_t> DriveOfPath(std::wstring_view path) {
  if (path.size() < 2 || path[1] != L':') return std::nullopt;
  const wchar_t letter = UpperCaseChar(path[0]);
  if (letter < L'A' || letter > L'Z') return std::nullopt;
  return letter;
}

wchar_t DriveToShow(std::wstring_view openedFolder, const std::vector<wchar_t>& listedDrives, wchar_t startingDrive) {
  const std::optional<wchar_t> drive = DriveOfPath(openedFolder);
  if (drive && std::find(listedDrives.begin(), listedDrives.end(), *drive) != listedDrives.end()) return *drive;
  return startingDrive;
}

}  // namespace lumiroll
