// Setup.exe: the background, the welcome dialog, the final dialog whose OK installs.
#include <windows.h>

#include <string_view>
#include <vector>

#include "platform/process.h"
#include "platform/win32/file_system.h"
#include "platform/win32/message_box.h"
#include "settings/win32/registry_store.h"
#include "setup/install_plan.h"
#include "setup/setup_texts.h"
#include "setup/win32/background_window.h"
#include "setup/win32/setup_dialogs.h"
#include "shared/message_titles.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace lumiroll;
  RestrictDllSearchToSystemFolder();
  FailCriticalErrorsQuietly();
  if (AnotherInstanceRunning(L"Setup")) return 0;

  BackgroundWindow form1;
  (void)form1.Open();  // without its background Setup still installs
  switch (ShowWelcomeDialog(form1.hwnd())) {
    case WelcomeChoice::Cancel: return 0;
    case WelcomeChoice::MissingComponents:
      ShowMessage(MissingComponentsMessage(), MissingComponentsTitle(), form1.hwnd());
      return 0;
    case WelcomeChoice::Continue: break;
  }
  if (!ShowFinalDialog(form1.hwnd())) return 0;
  // The installation runs here, not inside the dialog's procedure: a failure in it cannot
  // unwind through the dialog's message loop.
  HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));  // not owned: a shared system cursor
  RegistrySettingsStore store;
  const InstallResult result = RunInstallation(RealFileSystem(), store, SystemFolder(), CurrentFolder());
  ::SetCursor(previous);
  if (result.saverNotCopied) ShowMessage(*result.saverNotCopied, kErrorTitle, form1.hwnd());
  if (!result.unsaved.empty()) ShowMessage(SettingsNotSavedMessage(result.unsaved), kErrorTitle, form1.hwnd());
  return 0;
}
