#include "saver/win32/read_registry_value.h"

#include <windows.h>

#include "platform/win32/registry.h"
#include "saver/registry_value.h"

namespace lumiroll {
namespace {

// The predefined roots are 32-bit numbers sign-extended into a handle (HKEY_CURRENT_USER is
// 0xFFFFFFFF80000001 on 64-bit Windows).
HKEY RootHandle(std::uint32_t root) {
  return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(root)));
}

// The key's name in the ANSI code page, as the A functions would take it.
std::wstring FromAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

}  // namespace

std::string ReadRegistryValue(std::uint32_t root, const std::string& subkey, const std::string& valueName) {
  if (!IsPredefinedRoot(root)) return {};
  const std::optional<RegistryKey> key = RegistryKey::Open(RootHandle(root), FromAnsi(subkey));
  if (!key) return {};
  constexpr std::size_t kLongestValue = 255;
  const std::optional<RegistryData> value = key->ReadAnsi(valueName, kLongestValue);
  if (!value) return {};
  return RegistryValueText(value->type, value->bytes);
}

}  // namespace lumiroll
