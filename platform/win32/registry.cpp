#include "platform/win32/registry.h"

#include <cwchar>
#include <utility>

namespace lumiroll {

std::optional<RegistryKey> RegistryKey::Open(HKEY root, std::wstring_view path, REGSAM access) {
  UniqueKey key;
  if (::RegOpenKeyExW(root, std::wstring(path).c_str(), 0, access, key.put()) != ERROR_SUCCESS) return std::nullopt;
  return RegistryKey(std::move(key));
}

std::optional<RegistryKey> RegistryKey::Create(HKEY root, std::wstring_view path) {
  UniqueKey key;
  if (::RegCreateKeyExW(root, std::wstring(path).c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS)
    return std::nullopt;
  return RegistryKey(std::move(key));
}

std::optional<std::wstring> RegistryKey::ReadText(std::wstring_view name) const {
  const std::wstring valueName(name);
  constexpr DWORD kTextTypes = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  DWORD bytes = 0;
  if (::RegGetValueW(key_.get(), nullptr, valueName.c_str(), kTextTypes, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  for (;;) {
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LSTATUS status =
        ::RegGetValueW(key_.get(), nullptr, valueName.c_str(), kTextTypes, nullptr, text.data(), &size);
    if (status == ERROR_MORE_DATA) {  // it grew between the two calls
      bytes = size;
      continue;
    }
    if (status != ERROR_SUCCESS) return std::nullopt;
    text.resize(wcsnlen(text.c_str(), size / sizeof(wchar_t)));
    return text;
  }
}

std::optional<RegistryData> RegistryKey::ReadAnsi(std::string_view name, std::size_t maxBytes) const {
  const std::string valueName(name);
  RegistryData data;
  data.bytes.resize(maxBytes);
  DWORD size = static_cast<DWORD>(maxBytes);
  if (::RegQueryValueExA(key_.get(), valueName.c_str(), nullptr, &data.type, reinterpret_cast<BYTE*>(data.bytes.data()),
                         &size) != ERROR_SUCCESS)
    return std::nullopt;
  data.bytes.resize(size);
  return data;
}

bool RegistryKey::WriteText(std::wstring_view name, std::wstring_view text) {
  const std::wstring valueName(name), value(text);
  return ::RegSetValueExW(key_.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool RegistryKey::IsEmpty() const {
  DWORD subkeys = 0, values = 0;
  return ::RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                            nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         subkeys == 0 && values == 0;
}

bool DeleteRegistryTree(HKEY root, std::wstring_view path) {
  const LSTATUS status = ::RegDeleteTreeW(root, std::wstring(path).c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool DeleteRegistryKey(HKEY root, std::wstring_view path) {
  return ::RegDeleteKeyW(root, std::wstring(path).c_str()) == ERROR_SUCCESS;
}

}  // namespace lumiroll
