#pragma once
#include <windows.h>

#include <string_view>

namespace lumiroll {

// A message box with one OK button and no icon; returns when the user closes it.
void ShowMessage(std::wstring_view text, std::wstring_view title, HWND owner = nullptr);

}  // namespace lumiroll
