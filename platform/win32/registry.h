#pragma once
// The registry: keys opened or created under a root, values read and written. Every operation
// reports whether it succeeded; none throws.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/win32/handles.h"

namespace lumiroll {

// A value as the registry holds it: its type and its raw bytes.
struct RegistryData {
  DWORD type = REG_NONE;
  std::string bytes;
};

class RegistryKey {
 public:
  // An existing key, opened for reading (or for what access asks).
  [[nodiscard]] static std::optional<RegistryKey> Open(HKEY root, std::wstring_view path, REGSAM access = KEY_READ);
  // The key, made with any missing parents, opened for writing values.
  [[nodiscard]] static std::optional<RegistryKey> Create(HKEY root, std::wstring_view path);

  // A REG_SZ or REG_EXPAND_SZ value (not expanded) without its terminator; nothing when the
  // value is missing or of another type.
  [[nodiscard]] std::optional<std::wstring> ReadText(std::wstring_view name) const;
  // A value read with the ANSI functions, as programs written for them see it; nothing when
  // it is missing or longer than maxBytes.
  [[nodiscard]] std::optional<RegistryData> ReadAnsi(std::string_view name, std::size_t maxBytes) const;
  [[nodiscard]] bool WriteText(std::wstring_view name, std::wstring_view text);
  // True when the key holds no values and no subkeys; false too when that cannot be read.
  [[nodiscard]] bool IsEmpty() const;

 private:
  explicit RegistryKey(UniqueKey key) : key_(std::move(key)) {}
  UniqueKey key_;
};

// Removes a key with everything below it; true when it is gone (or was never there).
[[nodiscard]] bool DeleteRegistryTree(HKEY root, std::wstring_view path);
// Removes a key that has no subkeys.
[[nodiscard]] bool DeleteRegistryKey(HKEY root, std::wstring_view path);

}  // namespace lumiroll
