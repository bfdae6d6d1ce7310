#include "settings/settings.h"

#include <utility>

#include "shared/text_forms.h"

namespace lumiroll {
namespace {

// A key as the user knows the setting.
std::wstring_view SettingName(std::wstring_view key) {
  if (key == kPhotoDisplayTimeKey) return L"photo display time";
  if (key == kPhotoSizeKey) return L"photo size";
  if (key == kPhotoDirectoryKey) return L"photo folder";
  if (key == kPhotoOrderKey) return L"photo order";
  return key;
}

}  // namespace

std::wstring ReadSettingText(const SettingsStore& store, std::wstring_view key) {
  return store.Read(key).value_or(std::wstring(kNotConfigured));
}

Settings LoadSettings(const SettingsStore& store) {
  Settings settings;
  settings.PhotoDisplayTime = NumericReading(ReadSettingText(store, kPhotoDisplayTimeKey));
  settings.PhotoSize = RoundToInt16(NumericReading(ReadSettingText(store, kPhotoSizeKey)));
  settings.PhotoDirectory = ReadSettingText(store, kPhotoDirectoryKey);
  settings.PhotoOrder = RoundToInt16(NumericReading(ReadSettingText(store, kPhotoOrderKey)));
  return settings;
}

std::vector<std::wstring_view> SaveSettings(SettingsStore& store, const Settings& settings) {
  const std::pair<std::wstring_view, std::wstring> texts[] = {
      {kPhotoDisplayTimeKey, NumberText(settings.PhotoDisplayTime)},
      {kPhotoSizeKey, NumberText(settings.PhotoSize)},
      {kPhotoDirectoryKey, settings.PhotoDirectory},
      {kPhotoOrderKey, NumberText(settings.PhotoOrder)}};
  std::vector<std::wstring_view> unsaved;
  for (const auto& [key, text] : texts)
    if (!store.Write(key, text)) unsaved.push_back(key);
  return unsaved;
}

std::wstring SettingsNotSavedMessage(const std::vector<std::wstring_view>& unsavedKeys) {
  std::wstring message = L"Lumiroll could not save the ";
  for (std::size_t i = 0; i < unsavedKeys.size(); ++i) {
    if (i > 0) message += i + 1 == unsavedKeys.size() ? L" and " : L", ";
    message += SettingName(unsavedKeys[i]);
  }
  return message + L".";
}

}  // namespace lumiroll
