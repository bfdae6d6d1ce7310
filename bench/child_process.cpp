#include "bench/child_process.h"

#include <windows.h>
#include <psapi.h>

#include <fstream>

#include "platform/win32/handles.h"

namespace lumiroll::bench {

std::size_t PeakWorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakWorkingSetSize;
}

std::string NarrowPath(const std::wstring& path) { return std::string(path.begin(), path.end()); }

std::optional<std::string> RunSelfAsChild(const std::wstring& arguments, std::wstring_view resultName) {
  wchar_t self[MAX_PATH], temp[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring resultFile = std::wstring(temp) + std::wstring(resultName);
  ::DeleteFileW(resultFile.c_str());
  std::wstring command = L"\"" + std::wstring(self) + L"\" --child " + arguments + L" \"" + resultFile + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return std::nullopt;
  UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
  ::WaitForSingleObject(processHandle.get(), INFINITE);
  std::ifstream in(NarrowPath(resultFile).c_str());
  std::string line;
  if (!std::getline(in, line) || line.empty()) return std::nullopt;
  return line;
}

}  // namespace lumiroll::bench
