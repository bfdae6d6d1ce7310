#pragma once

namespace lumiroll {

// Opens Form2, the settings dialog, as an ownerless window.
void OpenSettingsDialog();

}  // namespace lumiroll
