#include "tests/win/load_in_child.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <sstream>

#include "platform/picture_box.h"
#include "platform/win32/handles.h"
#include "tests/win/picture_test_files.h"

namespace lumiroll::test {
namespace {

constexpr wchar_t kChildVariable[] = L"LUMIROLL_LOAD_IN_CHILD";
constexpr DWORD kLivenessMs = 60000;
constexpr int kLoaded = 10, kFailed = 11;

std::wstring ThisProgram() {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  return {path, length};
}

std::size_t PeakOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
  // Commit where the system tells it, resident memory where it tells only that (Wine): the larger.
  return std::max(counters.PeakPagefileUsage, counters.PeakWorkingSetSize);
}

struct ChildRun {
  DWORD exitCode = 0;
  std::size_t peak = 0;
};

// Runs this executable's child test with the request in its environment, inside a job object
// with the memory limit; its exit code and peak once it has ended.
std::optional<ChildRun> RunChild(const std::wstring& request, std::size_t limitBytes) {
  ::SetEnvironmentVariableW(kChildVariable, request.c_str());
  std::wstring commandLine = L"\"" + ThisProgram() + L"\" --gtest_filter=DISABLED_ChildLoad.Run --gtest_also_run_disabled_tests";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const bool started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                                        nullptr, &startup, &info);
  ::SetEnvironmentVariableW(kChildVariable, nullptr);
  if (!started) return std::nullopt;
  const UniqueHandle process(info.hProcess), thread(info.hThread);
  const UniqueHandle job(::CreateJobObjectW(nullptr, nullptr));
  if (job) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limit{};
    limit.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_PROCESS_MEMORY | JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    limit.ProcessMemoryLimit = limitBytes;
    (void)::SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limit, sizeof limit);
    (void)::AssignProcessToJobObject(job.get(), process.get());
  }
  ::ResumeThread(thread.get());
  if (::WaitForSingleObject(process.get(), kLivenessMs) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.get(), 1);
    return std::nullopt;
  }
  ChildRun run;
  ::GetExitCodeProcess(process.get(), &run.exitCode);
  run.peak = PeakOf(process.get());
  return run;
}

std::optional<std::size_t> BaselinePeak() {
  static const std::optional<std::size_t> baseline = []() -> std::optional<std::size_t> {
    const auto run = RunChild(L"take 0", std::size_t{1} << 30);
    if (!run || run->exitCode != kLoaded) return std::nullopt;
    return run->peak;
  }();
  return baseline;
}

std::optional<ChildLoad> Measured(const std::wstring& request, std::size_t limitBytes) {
  const std::optional<std::size_t> baseline = BaselinePeak();
  if (!baseline) return std::nullopt;
  const auto run = RunChild(request, *baseline + limitBytes);
  if (!run || (run->exitCode != kLoaded && run->exitCode != kFailed)) return std::nullopt;
  return ChildLoad{run->exitCode == kLoaded, run->peak > *baseline ? run->peak - *baseline : 0};
}

// The child's side: "take BYTES", or "bytes|box PATH" followed by "W H SCALE" for each bound.
int RunRequest(const std::wstring& request) {
  std::wistringstream in(request);
  std::wstring kind;
  in >> kind;
  if (kind == L"take") {
    std::size_t bytes = 0;
    in >> bytes;
    std::vector<char> memory(bytes, 1);
    volatile char sum = 0;
    for (std::size_t i = 0; i < memory.size(); i += 4096) sum = static_cast<char>(sum + memory[i]);
    return kLoaded;
  }
  std::wstring path;
  in >> std::quoted(path);
  bool all = true;
  for (DrawBound bound; in >> bound.width >> bound.height >> bound.scale;) {
    if (kind == L"box") {
      PictureBox box;
      box.SetDrawBound(bound);
      all = box.LoadPicture(path) && all;
    } else {
      const Bytes bytes = ReadFileBytes(path);
      all = LoadPictureBytes(bytes, bound).has_value() && all;
    }
  }
  return all ? kLoaded : kFailed;
}

}  // namespace

std::optional<ChildLoad> LoadInChild(const std::wstring& path, const std::vector<DrawBound>& bounds,
                                     std::size_t allowanceBytes, bool box) {
  std::wostringstream request;
  request << (box ? L"box " : L"bytes ") << std::quoted(path);
  for (const DrawBound& b : bounds) request << L' ' << b.width << L' ' << b.height << L' ' << b.scale;
  return Measured(request.str(), allowanceBytes);
}

std::optional<ChildLoad> TakeInChild(std::size_t bytes) {
  return Measured(L"take " + std::to_wstring(bytes), bytes * 2);
}

// The child: run only when the parent asks (its name keeps it out of every ordinary run).
TEST(DISABLED_ChildLoad, Run) {
  wchar_t request[4096];
  const DWORD length = ::GetEnvironmentVariableW(kChildVariable, request, static_cast<DWORD>(std::size(request)));
  if (length == 0 || length >= std::size(request)) GTEST_SKIP() << "run by LoadInChild only";
  std::fflush(stdout);
  ::ExitProcess(static_cast<UINT>(RunRequest(request)));
}

}  // namespace lumiroll::test
