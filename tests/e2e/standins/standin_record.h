#pragma once
// Where the stand-ins for the desktop's password service take their answer and leave a record
// of each call: registry keys of the current user that the tests write and read. Shared by
// the stand-in DLLs and the tests.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace lumiroll::standin {

inline constexpr wchar_t kPasswordKey[] = L"Software\\LumirollTest\\Password";
inline constexpr wchar_t kChangePasswordKey[] = L"Software\\LumirollTest\\ChangePassword";
// One value a file a stand-in was loaded from: its path, and how often.
inline constexpr wchar_t kLoadsKey[] = L"Software\\LumirollTest\\Loads";

inline constexpr wchar_t kAnswer[] = L"Answer";                  // written by the test
inline constexpr wchar_t kCalls[] = L"Calls";                    // one more each call
inline constexpr wchar_t kOwner[] = L"Owner";                    // the owner window, as a number
inline constexpr wchar_t kPointerVisible[] = L"PointerVisible";  // 1 or 0, at the call
inline constexpr wchar_t kRunning[] = L"ScreenSaverRunning";     // the desktop's state, at the call
inline constexpr wchar_t kModule[] = L"Module";                  // the stand-in's own file
inline constexpr wchar_t kProvider[] = L"Provider";
inline constexpr wchar_t kReserved[] = L"Reserved";  // the two words after the owner
inline constexpr wchar_t kPointerVisibleAtExit[] = L"PointerVisibleAtExit";
inline constexpr wchar_t kRunningAtExit[] = L"ScreenSaverRunningAtExit";

inline std::optional<std::uint64_t> ReadNumber(const wchar_t* key, const wchar_t* name) {
  std::uint64_t value = 0;
  DWORD size = sizeof value;
  if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_DWORD | RRF_RT_QWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return size == sizeof(DWORD) ? static_cast<std::uint32_t>(value) : value;
}

inline void WriteNumber(const wchar_t* key, const wchar_t* name, std::uint64_t value) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_QWORD, &value, sizeof value);
}

inline std::wstring ReadText(const wchar_t* key, const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD size = sizeof text;
  ::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size);
  return text;
}

inline void WriteText(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

inline bool PointerShowing() {
  CURSORINFO info{};
  info.cbSize = sizeof info;
  return ::GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING) != 0;
}

inline bool ScreenSaverRunning() {
  BOOL running = FALSE;
  return ::SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0) && running;
}

inline std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH * 4] = {};
  ::GetModuleFileNameW(module, path, static_cast<DWORD>(std::size(path)));
  return path;
}

// Registry calls in DllMain are no good practice; in a stand-in under test they are the only
// way to see a load, and the very end of the program.
inline void RecordLoad(HMODULE self) {
  const std::wstring path = ModulePath(self);
  WriteNumber(kLoadsKey, path.c_str(), ReadNumber(kLoadsKey, path.c_str()).value_or(0) + 1);
}

// What every stand-in records about the moment it was called.
inline void RecordCall(const wchar_t* key, HMODULE self, HWND owner) {
  WriteNumber(key, kCalls, ReadNumber(key, kCalls).value_or(0) + 1);
  WriteNumber(key, kOwner, reinterpret_cast<std::uintptr_t>(owner));
  WriteNumber(key, kPointerVisible, PointerShowing());
  WriteNumber(key, kRunning, ScreenSaverRunning());
  WriteText(key, kModule, ModulePath(self));
}

}  // namespace lumiroll::standin
