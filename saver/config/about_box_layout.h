#pragma once
// Form8, "About Lumiroll": its size, texts and controls.
#include <span>
#include <string_view>

#include "platform/dialog_layout.h"

namespace lumiroll {

inline constexpr std::wstring_view kAboutBoxTitle = L"About Lumiroll";
inline constexpr int kAboutBoxWidth = 483, kAboutBoxHeight = 204;

inline constexpr std::wstring_view kMakerEmail = L"info@example.com";
inline constexpr std::wstring_view kMakerWebPage = L"www.example.com/lumiroll";
inline constexpr std::wstring_view kEmailToolTip = L"Click to copy to clipboard";
inline constexpr std::wstring_view kCopiedTitle = L"Copied to Clipboard";
inline constexpr std::wstring_view kEmailCopiedMessage =
    L"The email address has been copied to your clipboard.\n"
    L"You can now paste (CTRL-v) the address in your email program.";
inline constexpr std::wstring_view kWebPageCopiedMessage =
    L"The web page address has been copied to your clipboard.\n"
    L"You can now paste (CTRL-v) the address in your internet browser.";

enum AboutControlId : int {
  kIdCommand3 = 1,  // OK: the id Enter sends
  kIdLabel1 = 201,
  kIdLabel3About,
  kIdLabel5,
  kIdLabel22,
  kIdLabel10,
  kIdLabel23,
  kIdImage1,
};

[[nodiscard]] std::span<const ControlLayout> AboutBoxLayout();

}  // namespace lumiroll
