#pragma once
#include <windows.h>

namespace lumiroll {

// Opens Form2, the settings dialog, as an ownerless window, or over the show's cover, owned by it,
// and runs the program's events until the user is done with it: OK and Cancel end the program at
// once; a dialog closed by the window manager ends it once the About box is closed too. The exit
// code.
int RunSettingsDialog(HWND cover = nullptr);

}  // namespace lumiroll
