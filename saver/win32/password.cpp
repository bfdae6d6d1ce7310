#include "saver/win32/password.h"

#include <bit>

#include "platform/win32/handles.h"
#include "saver/registry_value.h"
#include "saver/win32/read_registry_value.h"

namespace lumiroll {
namespace {

using VerifyScreenSavePwdFunction = BOOL(WINAPI*)(HWND owner);
using PwdChangePasswordAFunction = DWORD(WINAPI*)(LPCSTR provider, HWND owner, DWORD, LPVOID);

constexpr char kPasswordProvider[] = "SCRSAVE";

// Only from the system folder: a library of that name anywhere else is not the desktop's.
UniqueModule LoadSystemLibrary(const wchar_t* fileName) {
  return UniqueModule(::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

// Null when the library or the function is missing.
template <typename Function>
Function FindFunction(const UniqueModule& library, const char* name) {
  if (!library) return nullptr;
  return std::bit_cast<Function>(::GetProcAddress(library.get(), name));
}

}  // namespace

std::int16_t ReadUsePassword() {
  return UsePasswordFromText(ReadRegistryValue(kCurrentUserRoot, "Control Panel\\Desktop", "ScreenSaveUsePassword"));
}

void SetScreenSaverRunning(bool running) {
  UINT scratch = 0;
  ::SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, running ? 1 : 0, &scratch, 0);
}

bool VerifyScreenSavePassword(HWND owner) {
  const UniqueModule library = LoadSystemLibrary(L"password.cpl");
  const auto verify = FindFunction<VerifyScreenSavePwdFunction>(library, "VerifyScreenSavePwd");
  // Current desktops keep no screen-saver password of their own: they lock the session
  // themselves, so there is nothing to ask here.
  if (!verify) return true;
  return LOWORD(verify(owner)) != 0;
}

void ChangePassword(std::int32_t parentWindow) {
  const UniqueModule library = LoadSystemLibrary(L"mpr.dll");
  const auto change = FindFunction<PwdChangePasswordAFunction>(library, "PwdChangePasswordA");
  if (!change) return;
  // A window number as the desktop passes it: 32 bits, sign-extended like any window handle.
  (void)change(kPasswordProvider, reinterpret_cast<HWND>(static_cast<std::intptr_t>(parentWindow)), 0, nullptr);
}

}  // namespace lumiroll
