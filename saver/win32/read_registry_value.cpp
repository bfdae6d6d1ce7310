#include "saver/win32/read_registry_value.h"

#include <windows.h>

#include <array>

#include "platform/handles.h"
#include "saver/registry_value.h"

namespace lumiroll {
namespace {

// The predefined roots are 32-bit numbers sign-extended into a handle (HKEY_CURRENT_USER is
// 0xFFFFFFFF80000001 on 64-bit Windows).
HKEY RootHandle(std::uint32_t root) {
  return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(root)));
}

}  // namespace

std::string ReadRegistryValue(std::uint32_t root, const std::string& subkey, const std::string& valueName) {
  if (!IsPredefinedRoot(root)) return {};
  UniqueKey key;
  if (::RegOpenKeyExA(RootHandle(root), subkey.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return {};
  std::array<BYTE, 255> buffer{};
  DWORD size = static_cast<DWORD>(buffer.size());
  DWORD type = 0;
  if (::RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, buffer.data(), &size) != ERROR_SUCCESS)
    return {};
  return RegistryValueText(type, std::string_view(reinterpret_cast<const char*>(buffer.data()), size));
}

}  // namespace lumiroll
