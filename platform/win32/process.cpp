#include "platform/process.h"

#include <windows.h>

#include <vector>

#include "platform/win32/handles.h"

namespace lumiroll {

void RestrictDllSearchToSystemFolder() { ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32); }

void FailCriticalErrorsQuietly() { ::SetErrorMode(::GetErrorMode() | SEM_FAILCRITICALERRORS); }

namespace {

// Held until the process ends or gives it up: the claim of this copy.
UniqueHandle& InstanceClaim() {
  static UniqueHandle claim;
  return claim;
}

}  // namespace

bool AnotherInstanceRunning(std::wstring_view programName) {
  const std::wstring name = L"Local\\Lumiroll.SingleInstance." + std::wstring(programName);
  UniqueHandle& claim = InstanceClaim();
  claim.reset(::CreateMutexW(nullptr, FALSE, name.c_str()));
  return claim && ::GetLastError() == ERROR_ALREADY_EXISTS;
}

void ReleaseInstanceClaim() { InstanceClaim().reset(); }

std::wstring RawCommandLine() { return ::GetCommandLineW(); }

void EndProgram() { ::ExitProcess(0); }

std::wstring CurrentFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return {};
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(length + 1);
  }
}

std::wstring SystemFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const UINT length = ::GetSystemDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(length + 1);
  }
}

}  // namespace lumiroll
