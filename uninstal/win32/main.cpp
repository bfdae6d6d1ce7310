// Uninstal.exe: asks, then removes the screen saver file and the settings.
#include <windows.h>

#include "platform/process.h"
#include "platform/win32/file_system.h"
#include "platform/win32/message_box.h"
#include "platform/win32/modal_dialog.h"
#include "settings/win32/registry_store.h"
#include "uninstal/uninstall.h"

namespace lumiroll {
namespace {

constexpr int kLabel15 = 1015;
constexpr int kIcon = 100;

// No first in the tab order and the default; no cancel button, so Esc does nothing.
using enum LayoutKind;
constexpr ControlLayout kControls[] = {
    // name      kind           caption             parent left top width height tab   id
    {L"Label15", Label, kUninstallQuestion, L"", 15, 14, 218, 15, false, kLabel15},
    {L"No", DefaultButton, L"No", L"", 126, 42, 71, 22, true, IDNO},
    {L"Yes", Button, L"Yes", L"", 49, 42, 71, 22, true, IDYES},
};

}  // namespace
}  // namespace lumiroll

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace lumiroll;
  RestrictDllSearchToSystemFolder();
  FailCriticalErrorsQuietly();
  const DialogLayout layout{.caption = kUninstallCaption,
                            .clientWidth = 246,
                            .clientHeight = 78,
                            .controls = kControls,
                            .iconId = kIcon,
                            .closeResult = IDNO};  // closing it is No
  ModalDialog form5(layout);
  if (form5.Run(nullptr) != IDYES) return 0;
  // The removal runs here, not inside the dialog's procedure; the report follows it.
  RegistrySettingsStore store;
  ShowMessage(RunUninstall(RealFileSystem(), store, SystemFolder()), kUninstallCaption);
  return 0;
}
