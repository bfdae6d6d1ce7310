#include "saver/config/win32/settings_dialog.h"

#include "platform/placeholder_window.h"

namespace lumiroll {

void OpenSettingsDialog() { OpenPlaceholderWindow(L"Lumiroll Settings"); }

}  // namespace lumiroll
