#include "settings/win32/registry_store.h"

#include <windows.h>

#include "platform/handles.h"

namespace lumiroll {
namespace {

const std::wstring kApplicationKey = L"Software\\" + std::wstring(kApplicationName);
const std::wstring kSectionKey = kApplicationKey + L"\\" + std::wstring(kSectionName);

}  // namespace

std::optional<std::wstring> RegistrySettingsStore::Read(std::wstring_view key) const {
  const std::wstring name(key);
  DWORD bytes = 0;
  constexpr DWORD kTextTypes = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  if (::RegGetValueW(HKEY_CURRENT_USER, kSectionKey.c_str(), name.c_str(), kTextTypes, nullptr,
                     nullptr, &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  for (;;) {
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, kSectionKey.c_str(), name.c_str(),
                                          kTextTypes, nullptr, text.data(), &size);
    if (status == ERROR_MORE_DATA) {  // it grew between the two calls
      bytes = size;
      continue;
    }
    if (status != ERROR_SUCCESS) return std::nullopt;
    text.resize(wcsnlen(text.c_str(), size / sizeof(wchar_t)));
    return text;
  }
}

void RegistrySettingsStore::Write(std::wstring_view key, std::wstring_view text) {
  UniqueKey section;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kSectionKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, section.put(), nullptr) != ERROR_SUCCESS)
    return;
  const std::wstring name(key), value(text);
  ::RegSetValueExW(section.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void RegistrySettingsStore::DeleteSection() {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kSectionKey.c_str());
  UniqueKey application;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kApplicationKey.c_str(), 0, KEY_READ, application.put()) !=
      ERROR_SUCCESS)
    return;
  DWORD subkeys = 0, values = 0;
  if (::RegQueryInfoKeyW(application.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                         &values, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
      subkeys == 0 && values == 0) {
    application.reset();
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kApplicationKey.c_str());
  }
}

}  // namespace lumiroll
