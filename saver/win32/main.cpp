// Lumiroll.scr: the desktop starts it with /s, /c, /p or /a.
#include <windows.h>

#include "platform/process.h"
#include "platform/win32/message_box.h"
#include "saver/command_line.h"
#include "saver/config/win32/settings_dialog.h"
#include "saver/win32/password.h"
#include "saver/win32/settings_variables.h"
#include "saver/win32/slide_show.h"
#include "settings/win32/registry_store.h"
#include "shared/message_titles.h"

namespace lumiroll {
namespace {

int RunMode(const StartRequest& request) {
  switch (request.mode) {
    case StartMode::Show: return SlideShow().Run();
    case StartMode::Configure: return RunSettingsDialog();
    case StartMode::Preview: break;
    case StartMode::ChangePassword: ChangePassword(request.parentWindow); break;
    case StartMode::Unknown: ShowMessage(UnknownSwitchMessage(request.normalisedArguments), kErrorTitle); break;
  }
  return 0;
}

}  // namespace
}  // namespace lumiroll

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace lumiroll;
  RestrictDllSearchToSystemFolder();
  FailCriticalErrorsQuietly();
  if (AnotherInstanceRunning(L"Lumiroll.scr")) return 0;
  SettingsVariables = LoadSettings(RegistrySettingsStore());
  return RunMode(ParseArguments(ArgumentText(RawCommandLine())));
}
