#include "setup/win32/setup_dialogs.h"

#include <commctrl.h>

#include "platform/modal_dialog.h"
#include "setup/setup_texts.h"
#include "setup/win32/resource_ids.h"

namespace lumiroll {
namespace {

using enum LayoutKind;

constexpr int kImage1 = 1001, kImage2 = 1002, kLabel1 = 1003, kLabel2 = 1004;
constexpr float kInstructionPoints = 9.75f;

// In tab order.
constexpr ControlLayout kWelcomeControls[] = {
    // name      kind           caption       parent left top width height tab   id
    {L"Image1",  Picture,       L"",           L"",  14,  13, 140, 178, false, kImage1, kDialogPoints, false, IDB_LOGO},
    {L"Label1",  Label,         kWelcomeText,  L"", 168,  14, 169,  29, false, kLabel1},
    {L"OK",      DefaultButton, L"OK",         L"", 280, 140,  71,  22, true,  IDOK},
    {L"Cancel",  Button,        L"Cancel",     L"", 280, 168,  71,  22, true,  IDCANCEL},
};

constexpr ControlLayout kFinalControls[] = {
    {L"OK",      DefaultButton, L"OK",              L"", 168, 322,  71,  22, true,  IDOK},
    {L"Label1",  Label,         kFinalHeading,      L"",  14,  14, 330,  22, false, kLabel1, kInstructionPoints, true},
    {L"Label2",  Label,         kFinalInstruction,  L"",  14,  35, 225,  36, false, kLabel2, kInstructionPoints},
    {L"Image2",  Picture,       L"",                L"",  28,  84, 132, 121, false, kImage2, kDialogPoints, false, IDB_ARROW},
    {L"Image1",  Picture,       L"",                L"", 166,  77, 230, 230, false, kImage1, kDialogPoints, false, IDB_CONTEXT_MENU},
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
                        .closeResult = IDOK};  // closing it otherwise counts as OK
  ModalDialog form2(layout);
  switch (form2.Run(background)) {
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
                        .closeResult = IDCANCEL};  // installs nothing
  ModalDialog form5(layout);
  return form5.Run(background) == IDOK;
}

}  // namespace lumiroll
