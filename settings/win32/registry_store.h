#pragma once
// The settings store in the registry: HKEY_CURRENT_USER\Software\Lumiroll\Settings, one REG_SZ
// value a key.
#include "settings/settings.h"

namespace lumiroll {

class RegistrySettingsStore final : public SettingsStore {
 public:
  [[nodiscard]] std::optional<std::wstring> Read(std::wstring_view key) const override;
  [[nodiscard]] bool Write(std::wstring_view key, std::wstring_view text) override;
  // Removes the section, and the application's key too when nothing else is left in it.
  void DeleteSection() override;
};

}  // namespace lumiroll
