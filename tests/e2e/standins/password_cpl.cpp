// A stand-in for the desktop's password.cpl: answers as the test wrote, records every call,
// and records what the program's close left behind when the program ends.
#include "standin_record.h"

namespace {

HMODULE self = nullptr;

// Kept loaded until the program ends, so the end itself can be observed from DllMain.
void StayLoadedUntilExit() {
  HMODULE pinned = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&self), &pinned);
}

void RecordExitState() {
  using namespace lumiroll::standin;
  WriteNumber(kPasswordKey, kPointerVisibleAtExit, PointerShowing());
  WriteNumber(kPasswordKey, kRunningAtExit, ScreenSaverRunning());
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND owner) {
  using namespace lumiroll::standin;
  RecordCall(kPasswordKey, self, owner);
  StayLoadedUntilExit();
  return static_cast<BOOL>(ReadNumber(kPasswordKey, kAnswer).value_or(0));
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    self = instance;
    lumiroll::standin::RecordLoad(self);
  }
  if (reason == DLL_PROCESS_DETACH && reserved != nullptr) RecordExitState();  // process ending
  return TRUE;
}
