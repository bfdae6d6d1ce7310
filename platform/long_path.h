#pragma once
// Paths past MAX_PATH, on a drive or a network share: the extended-length forms "\\?\C:\..."
// and "\\?\UNC\server\share\...", which the file functions take up to 32,767 characters. The
// prefix turns off the clean-up Windows does to an ordinary path, so the path is cleaned here
// first: a doubled "\" (a folder that ends with one, joined to a name), "/", "." and "..".
#include <cstddef>
#include <string>
#include <string_view>

namespace lumiroll {

// The ordinary functions take MAX_PATH (260) less room for an 8.3 name in a folder path.
inline constexpr std::size_t kLongPathFrom = 260 - 12;

// The extended-length form of a full drive-letter or network path, cleaned; any other path
// (relative, on the current drive's root, already extended, a device) unchanged.
[[nodiscard]] std::wstring ExtendedLengthPath(std::wstring_view path);

// A full path too long for the ordinary file functions in its extended-length form; any other
// path unchanged.
[[nodiscard]] std::wstring LongPathForm(const std::wstring& path);

}  // namespace lumiroll
