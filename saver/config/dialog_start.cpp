#include "saver/config/dialog_start.h"

#include <algorithm>

#include "shared/text_forms.h"

namespace lumiroll {

void FillUnsetSettings(Settings& settings) {
  if (settings.PhotoSize == 0) settings.PhotoSize = kFitScreen;
  if (settings.PhotoOrder == 0) settings.PhotoOrder = kAlphabetic;
  if (settings.PhotoDirectory == kNotConfigured) settings.PhotoDirectory = kStartFolderWhenUnset;
}

float PreviewScale(std::int16_t PhotoSize, int previewInnerWidth, int screenWidth) {
  if (PhotoSize != kActualSize || screenWidth <= 0 || previewInnerWidth <= 0) return 0.0f;
  return static_cast<float>(previewInnerWidth) / static_cast<float>(screenWidth);
}

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
