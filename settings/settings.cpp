#include "settings/settings.h"

#include "shared/text_forms.h"

namespace lumiroll {

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

void SaveSettings(SettingsStore& store, const Settings& settings) {
  store.Write(kPhotoDisplayTimeKey, NumberText(settings.PhotoDisplayTime));
  store.Write(kPhotoSizeKey, NumberText(settings.PhotoSize));
  store.Write(kPhotoDirectoryKey, settings.PhotoDirectory);
  store.Write(kPhotoOrderKey, NumberText(settings.PhotoOrder));
}

}  // namespace lumiroll
