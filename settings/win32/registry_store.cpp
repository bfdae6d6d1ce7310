#include "settings/win32/registry_store.h"

#include "platform/win32/registry.h"

namespace lumiroll {
namespace {

const std::wstring kApplicationKey = L"Software\\" + std::wstring(kApplicationName);
const std::wstring kSectionKey = kApplicationKey + L"\\" + std::wstring(kSectionName);

}  // namespace

std::optional<std::wstring> RegistrySettingsStore::Read(std::wstring_view key) const {
  const std::optional<RegistryKey> section = RegistryKey::Open(HKEY_CURRENT_USER, kSectionKey);
  if (!section) return std::nullopt;
  return section->ReadText(key);
}

bool RegistrySettingsStore::Write(std::wstring_view key, std::wstring_view text) {
  std::optional<RegistryKey> section = RegistryKey::Create(HKEY_CURRENT_USER, kSectionKey);
  return section && section->WriteText(key, text);
}

void RegistrySettingsStore::DeleteSection() {
  // What could not be removed stays; the uninstaller's message is about the screen saver file.
  (void)DeleteRegistryTree(HKEY_CURRENT_USER, kSectionKey);
  const std::optional<RegistryKey> application = RegistryKey::Open(HKEY_CURRENT_USER, kApplicationKey);
  if (application && application->IsEmpty()) (void)DeleteRegistryKey(HKEY_CURRENT_USER, kApplicationKey);
}

}  // namespace lumiroll
