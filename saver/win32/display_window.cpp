#include "saver/win32/display_window.h"

#include "platform/placeholder_window.h"

namespace lumiroll {

void OpenDisplayWindow() { OpenPlaceholderWindow(L"Lumiroll show (Form1)"); }

}  // namespace lumiroll
