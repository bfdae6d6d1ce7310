#pragma once
#include <windows.h>

namespace lumiroll {

enum class WelcomeChoice { Continue, Cancel, MissingComponents };

// Form2: the welcome dialog. OK, and closing it any other way, continue; Cancel ends Setup;
// a dialog that cannot be shown for want of the common controls gives MissingComponents.
[[nodiscard]] WelcomeChoice ShowWelcomeDialog(HWND background);

// Form5: the final dialog. True when it was closed by its OK, which asks for the installation;
// closing it any other way installs nothing.
[[nodiscard]] bool ShowFinalDialog(HWND background);

}  // namespace lumiroll
