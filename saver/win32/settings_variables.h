#pragma once
#include "settings/settings.h"

namespace lumiroll {

// The process-wide settings variables: filled once at start-up, read by the show, edited by
// the settings dialog.
inline Settings SettingsVariables;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables): one record by design

}  // namespace lumiroll
