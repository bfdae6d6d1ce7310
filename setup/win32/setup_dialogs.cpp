#include "setup/win32/setup_dialogs.h"

#include <commctrl.h>

#include "platform/modal_dialog.h"
#include "setup/setup_texts.h"
#include "setup/win32/resource_ids.h"

namespace lumiroll {
namespace {

constexpr int kImage1 = 1001, kImage2 = 1002, kLabel1 = 1003, kLabel2 = 1004;
constexpr DialogFont kInstructionBold{L"MS Sans Serif", 98, true};
constexpr DialogFont kInstruction{L"MS Sans Serif", 98, false};

constexpr DialogControl kWelcomeControls[] = {
    {kImage1, ControlKind::Picture, L"", 14, 13, 140, 178, {}, IDB_LOGO},
    {kLabel1, ControlKind::Label, kWelcomeText, 168, 14, 169, 29},
    {IDOK, ControlKind::DefaultButton, L"OK", 280, 140, 71, 22},
    {IDCANCEL, ControlKind::Button, L"Cancel", 280, 168, 71, 22},
};

constexpr DialogControl kFinalControls[] = {
    {IDOK, ControlKind::DefaultButton, L"OK", 168, 322, 71, 22},
    {kLabel1, ControlKind::Label, kFinalHeading, 14, 14, 330, 22, kInstructionBold},
    {kLabel2, ControlKind::Label, kFinalInstruction, 14, 35, 225, 36, kInstruction},
    {kImage2, ControlKind::Picture, L"", 28, 84, 132, 121, {}, IDB_ARROW},
    {kImage1, ControlKind::Picture, L"", 166, 77, 230, 230, {}, IDB_CONTEXT_MENU},
};

// The dialogs need the version 6 common controls that the manifest asks for.
bool CommonControlsAvailable() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  return ::InitCommonControlsEx(&controls) != FALSE;
}

}  // namespace

WelcomeChoice ShowWelcomeDialog(HWND background) {
  if (!CommonControlsAvailable()) return WelcomeChoice::MissingComponents;
  const DialogLayout layout{.caption = kWelcomeCaption,
                        .clientWidth = 365,
                        .clientHeight = 204,
                        .controls = kWelcomeControls,
                        .iconId = IDI_LUMIROLL,
                        .closeResult = IDOK,  // closing it otherwise counts as OK
                        .onButton = {}};
  switch (RunModalDialog(layout, background)) {
    case -1: return WelcomeChoice::MissingComponents;
    case IDCANCEL: return WelcomeChoice::Cancel;
    default: return WelcomeChoice::Continue;
  }
}

bool ShowFinalDialog(HWND background) {
  const DialogLayout layout{.caption = kFinalCaption,
                        .clientWidth = 409,
                        .clientHeight = 358,
                        .controls = kFinalControls,
                        .iconId = IDI_LUMIROLL,
                        .closeResult = IDCANCEL,  // installs nothing
                        .onButton = {}};
  return RunModalDialog(layout, background) == IDOK;
}

}  // namespace lumiroll
