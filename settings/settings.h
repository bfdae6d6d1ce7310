#pragma once
// The four settings every program reads or writes, in the text forms of the store.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumiroll {

inline constexpr std::wstring_view kApplicationName = L"Lumiroll";
inline constexpr std::wstring_view kSectionName = L"Settings";
inline constexpr std::wstring_view kNotConfigured = L"0";

inline constexpr std::wstring_view kPhotoDisplayTimeKey = L"PhotoDisplayTime";
inline constexpr std::wstring_view kPhotoSizeKey = L"PhotoSize";
inline constexpr std::wstring_view kPhotoDirectoryKey = L"PhotoDirectory";
inline constexpr std::wstring_view kPhotoOrderKey = L"PhotoOrder";

inline constexpr std::int16_t kFitScreen = 1, kActualSize = 2;
inline constexpr std::int16_t kAlphabetic = 1, kRandom = 2;

// The settings variables. A value never stored reads as the text "0".
struct Settings {
  double PhotoDisplayTime = 0.0;  // seconds
  std::int16_t PhotoSize = 0;     // kFitScreen or kActualSize
  std::wstring PhotoDirectory{kNotConfigured};
  std::int16_t PhotoOrder = 0;  // kAlphabetic or kRandom

  friend bool operator==(const Settings&, const Settings&) = default;
};

// Where the texts live: per user, by key within the application's "Settings" section.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or nothing when the key (or section) is missing.
  [[nodiscard]] virtual std::optional<std::wstring> Read(std::wstring_view key) const = 0;
  // True when the text is stored.
  [[nodiscard]] virtual bool Write(std::wstring_view key, std::wstring_view text) = 0;
  // Removes all four keys at once.
  virtual void DeleteSection() = 0;
};

// Reads a key with the not-configured text "0" as the default.
[[nodiscard]] std::wstring ReadSettingText(const SettingsStore& store, std::wstring_view key);

// Reads the four keys in the order time, size, folder, order.
[[nodiscard]] Settings LoadSettings(const SettingsStore& store);
// Writes the four keys as text, in the same order, each whatever became of the one before;
// returns the keys that could not be written.
[[nodiscard]] std::vector<std::wstring_view> SaveSettings(SettingsStore& store, const Settings& settings);

// What the user is told when keys could not be written: a sentence naming the settings lost.
[[nodiscard]] std::wstring SettingsNotSavedMessage(const std::vector<std::wstring_view>& unsavedKeys);

}  // namespace lumiroll
