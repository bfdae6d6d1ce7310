// A stand-in for the desktop's mpr.dll with only the change-password call: records what the
// program passed.
#include "standin_record.h"

namespace {
HMODULE self = nullptr;
}

extern "C" __declspec(dllexport) DWORD WINAPI
    PwdChangePasswordA(LPCSTR provider, HWND owner, DWORD flags, LPVOID reserved) {
  using namespace lumiroll::standin;
  RecordCall(kChangePasswordKey, self, owner);
  WriteText(kChangePasswordKey, kProvider,
            provider ? std::wstring(provider, provider + lstrlenA(provider)) : L"(null)");
  WriteText(kChangePasswordKey, kReserved,
            std::to_wstring(flags) + L"," + std::to_wstring(reinterpret_cast<std::uintptr_t>(reserved)));
  return 0;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    self = instance;
    lumiroll::standin::RecordLoad(self);
  }
  return TRUE;
}
