#pragma once
// The real disk behind FileSystem, and the path forms of Win32's file functions.
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace lumiroll {

// The real disk.
FileSystem& RealFileSystem();

// Paths on the real disk.
// The absolute form of a path, relative parts resolved ("d:" is drive D's current folder);
// nothing when it cannot be resolved.
[[nodiscard]] std::optional<std::wstring> FullPathName(std::wstring_view path);
// A full drive-letter path too long for the ordinary file functions in the "\\?\" form that
// lifts their length limit; any other path unchanged.
[[nodiscard]] std::wstring LongPathForm(const std::wstring& path);
// True when the path names an existing folder.
[[nodiscard]] bool IsExistingFolder(const std::wstring& path);

}  // namespace lumiroll
