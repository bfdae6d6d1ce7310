#include "saver/command_line.h"

#include "shared/text_forms.h"

namespace lumiroll {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::int32_t ParentWindowNumber(std::wstring_view argumentText) {
  if (argumentText.size() <= 2) return 0;
  return RoundToInt32(NumericReading(argumentText.substr(2)));
}

StartMode ModeOf(std::wstring_view switchText) {
  if (switchText == L"/s") return StartMode::Show;
  if (switchText == L"/p") return StartMode::Preview;
  if (switchText == L"/c" || switchText.empty()) return StartMode::Configure;
  if (switchText == L"/a") return StartMode::ChangePassword;
  return StartMode::Unknown;
}

}  // namespace

std::wstring ArgumentText(std::wstring_view commandLine) {
  std::size_t i = 0;
  if (!commandLine.empty() && commandLine[0] == L'"') {
    const std::size_t close = commandLine.find(L'"', 1);
    i = close == std::wstring_view::npos ? commandLine.size() : close + 1;
  } else {
    while (i < commandLine.size() && !IsBlank(commandLine[i])) ++i;
  }
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  return std::wstring(commandLine.substr(i));
}

StartRequest ParseArguments(std::wstring_view argumentText) {
  StartRequest request;
  request.normalisedArguments = LowerCase(TrimSpaces(argumentText));
  request.mode = ModeOf(std::wstring_view(request.normalisedArguments).substr(0, 2));
  if (request.mode == StartMode::ChangePassword) request.parentWindow = ParentWindowNumber(argumentText);
  return request;
}

std::wstring UnknownSwitchMessage(std::wstring_view normalisedArguments) {
  return L"Unknown Command Line Parameter " + std::wstring(normalisedArguments);
}

}  // namespace lumiroll
