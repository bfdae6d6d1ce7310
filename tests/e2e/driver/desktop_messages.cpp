#include "desktop_messages.h"

#include <cstring>

namespace lumiroll::e2e {

bool SendDisplayState(HANDLE process, HWND window, DWORD state, const GUID& which) {
  POWERBROADCAST_SETTING setting{which, sizeof(DWORD), {}};
  std::memcpy(setting.Data, &state, sizeof state);
  void* remote = ::VirtualAllocEx(process, nullptr, sizeof setting, MEM_COMMIT, PAGE_READWRITE);
  if (!remote) return false;
  DWORD_PTR result = 0;
  const bool sent = ::WriteProcessMemory(process, remote, &setting, sizeof setting, nullptr) &&
                    ::SendMessageTimeoutW(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                                          reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 5000, &result);
  ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return sent;
}

}  // namespace lumiroll::e2e
