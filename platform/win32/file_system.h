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
// True when the path names an existing folder.
[[nodiscard]] bool IsExistingFolder(const std::wstring& path);

}  // namespace lumiroll
