#pragma once
#include <windows.h>

#include <string_view>

namespace lumiroll {

// Replaces the clipboard's content with the text (plain Unicode text). False when the
// clipboard cannot be opened (another program holds it) or the text cannot be put there.
[[nodiscard]] bool PutTextOnClipboard(std::wstring_view text, HWND owner);

}  // namespace lumiroll
