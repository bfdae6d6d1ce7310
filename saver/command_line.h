#pragma once
// How the screen saver's command line selects what it does.
#include <cstdint>
#include <string>
#include <string_view>

namespace lumiroll {

enum class StartMode { Show, Preview, Configure, ChangePassword, Unknown };

struct StartRequest {
  StartMode mode = StartMode::Unknown;
  std::wstring normalisedArguments;  // trimmed, lower-cased
  std::int32_t parentWindow = 0;     // change-password mode only; 0 means no owner
};

// Everything after the program's own path (quoted or not) and the blanks that follow it.
[[nodiscard]] std::wstring ArgumentText(std::wstring_view commandLine);

// The mode from the first two characters of the trimmed, lower-cased argument text; the parent
// window number from the untouched text less its first two characters.
[[nodiscard]] StartRequest ParseArguments(std::wstring_view argumentText);

[[nodiscard]] std::wstring UnknownSwitchMessage(std::wstring_view normalisedArguments);

}  // namespace lumiroll
