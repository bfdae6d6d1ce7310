#pragma once
#include <windows.h>

#include <functional>

namespace lumiroll {

enum class WelcomeChoice { Continue, Cancel, MissingComponents };

// Form2: the welcome dialog. OK, and closing it any other way, continue; Cancel ends Setup;
// a dialog that cannot be shown for want of the common controls gives MissingComponents.
[[nodiscard]] WelcomeChoice ShowWelcomeDialog(HWND background);

// Form5: the final dialog. Its OK runs the installation while the dialog is still shown;
// closing it any other way installs nothing.
void ShowFinalDialog(HWND background, const std::function<void()>& install);

}  // namespace lumiroll
