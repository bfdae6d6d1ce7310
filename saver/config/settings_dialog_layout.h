#pragma once
// Form2, "Lumiroll Settings": its size and its controls.
#include <span>

#include "platform/dialog_layout.h"

namespace lumiroll {

inline constexpr std::wstring_view kSettingsDialogTitle = L"Lumiroll Settings";
inline constexpr int kSettingsDialogWidth = 563, kSettingsDialogHeight = 314;

// Control ids; OK and Cancel carry the ids the dialog keys Enter and Escape send.
enum SettingsControlId : int {
  kIdCommandOK = 1,
  kIdCommandCancel = 2,
  kIdDir1 = 101,
  kIdDrive1,
  kIdFile1,
  kIdOption1Index1,
  kIdOption1Index2,
  kIdOption2Index1,
  kIdOption2Index2,
  kIdText1,
  kIdCommandAbout,
  kIdFrame3,
  kIdFrame1,
  kIdFrame2,
  kIdFrame4,
  kIdLabel3,
  kIdPicture0,
  kIdPicture1,
};

[[nodiscard]] std::span<const ControlLayout> SettingsDialogLayout();

}  // namespace lumiroll
