#pragma once
// What Uninstal removes when the user says Yes, and what it then tells the user.
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "settings/settings.h"

namespace lumiroll {

inline constexpr std::wstring_view kUninstallCaption = L"Lumiroll Uninstall";
inline constexpr std::wstring_view kUninstallQuestion = L"Are you sure you want to uninstall Lumiroll?";
inline constexpr std::wstring_view kUninstallSucceeded = L"Uninstall completed successfully";

// The screen saver's place in the system folder; empty when the system folder is unknown.
[[nodiscard]] std::wstring ScreenSaverPath(std::wstring_view systemFolder);

// Deletes the screen saver file and the whole settings section, each whatever became of the
// other, and returns the message for the user: success, unless the file was there and still is.
[[nodiscard]] std::wstring RunUninstall(FileSystem& files, SettingsStore& store, std::wstring_view systemFolder);

}  // namespace lumiroll
