#pragma once
// The installer's fixed texts.
#include <string>
#include <string_view>

namespace lumiroll {

inline constexpr std::wstring_view kBackgroundCaption = L"Lumiroll 2.0 Setup";
inline constexpr std::wstring_view kWelcomeCaption = L"Lumiroll Setup";
inline constexpr std::wstring_view kWelcomeText = L"Thank you for choosing Lumiroll by Quorvane Software.";
inline constexpr std::wstring_view kFinalCaption = L"Lumiroll Setup Complete";
inline constexpr std::wstring_view kFinalHeading = L"To make Lumiroll your default screen saver:";
inline constexpr std::wstring_view kFinalInstruction = L"Right mouse click on Lumiroll.scr and select Install.  ";

// The error number of a welcome dialog that could not be shown for want of a system component.
inline constexpr int kMissingComponentsError = 50003;

[[nodiscard]] std::wstring MissingComponentsTitle();
// Five lines: what is missing, which package, where it is had.
[[nodiscard]] std::wstring MissingComponentsMessage();

// The screen saver could not be copied from source to target: which file, and what to do.
[[nodiscard]] std::wstring SaverNotCopiedMessage(std::wstring_view source, std::wstring_view target, bool sourceExists);

}  // namespace lumiroll
