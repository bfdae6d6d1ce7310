#include "tests/win/load_in_child.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <map>
#include <sstream>

#include "platform/win32/handles.h"
#include "platform/win32/picture_box.h"
#include "platform/win32/picture_loader.h"
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

constexpr wchar_t kReportVariable[] = L"LUMIROLL_LOAD_REPORT";

// The process's own peak memory: commit where the system keeps its peak (Windows), resident
// memory where it keeps only that one (Wine's peak commit is the current one): the larger.
std::size_t OwnPeak() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return std::max(counters.PeakPagefileUsage, counters.PeakWorkingSetSize);
}

std::wstring ReportPath() {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"lumiroll-child-load-" + std::to_wstring(::GetCurrentProcessId()) + L".txt";
}

struct ChildRun {
  DWORD exitCode = 0;
  std::size_t peak = 0;
};

// Runs this executable's child test with the request in its environment, inside a job object
// with the memory limit; its exit code and peak once it has ended.
std::optional<ChildRun> RunChild(const std::wstring& request, std::size_t limitBytes) {
  const std::wstring report = ReportPath();
  ::DeleteFileW(report.c_str());
  ::SetEnvironmentVariableW(kChildVariable, request.c_str());
  ::SetEnvironmentVariableW(kReportVariable, report.c_str());
  std::wstring commandLine =
      L"\"" + ThisProgram() + L"\" --gtest_filter=DISABLED_ChildLoad.Run --gtest_also_run_disabled_tests";
  // The child's report goes nowhere: what it did is its exit code.
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const UniqueFile nowhere(
      ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = nowhere.get();
  PROCESS_INFORMATION info{};
  const bool started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                                        nullptr, &startup, &info);
  ::SetEnvironmentVariableW(kChildVariable, nullptr);
  ::SetEnvironmentVariableW(kReportVariable, nullptr);
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
  // The child's own last word: a process's counters cannot be read once it has gone (Wine).
  const Bytes told = ReadFileBytes(report);
  ::DeleteFileW(report.c_str());
  if (told.empty()) return std::nullopt;
  run.peak = std::stoull(std::string(told.begin(), told.end()));
  return run;
}

// The baseline beside a case: the same request on a tiny picture, once for each request kind.
std::optional<std::size_t> BaselinePeak(const std::wstring& request) {
  static std::map<std::wstring, std::optional<std::size_t>> baselines;
  const auto known = baselines.find(request);
  if (known != baselines.end()) return known->second;
  const auto run = RunChild(request, std::size_t{1} << 30);
  const std::optional<std::size_t> peak = run && run->exitCode == kLoaded ? std::optional(run->peak) : std::nullopt;
  return baselines[request] = peak;
}

std::optional<ChildLoad> Measured(const std::wstring& baselineRequest, const std::wstring& request,
                                  std::size_t limitBytes) {
  const std::optional<std::size_t> baseline = BaselinePeak(baselineRequest);
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
    // Committed and touched through a volatile pointer, so no compiler can leave it out.
    auto* memory = static_cast<volatile char*>(
        bytes ? ::VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE) : nullptr);
    for (std::size_t i = 0; memory && i < bytes; i += 4096) memory[i] = 1;
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

// Runs the request and leaves the process's peak where the parent reads it.
int RunAndReport(const std::wstring& request, const std::wstring& report) {
  const int result = RunRequest(request);
  const std::string peak = std::to_string(OwnPeak());
  const UniqueFile file(::CreateFileW(report.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  if (!file || !::WriteFile(file.get(), peak.data(), static_cast<DWORD>(peak.size()), &written, nullptr)) return 1;
  return result;
}

std::wstring LoadRequest(bool box, const std::wstring& path, const std::vector<DrawBound>& bounds) {
  std::wostringstream request;
  request << (box ? L"box " : L"bytes ") << std::quoted(path);
  for (const DrawBound& b : bounds) request << L' ' << b.width << L' ' << b.height << L' ' << b.scale;
  return request.str();
}

}  // namespace

std::optional<ChildLoad> LoadInChild(const std::wstring& path, const std::wstring& baselinePath,
                                     const std::vector<DrawBound>& bounds, std::size_t allowanceBytes, bool box) {
  return Measured(LoadRequest(box, baselinePath, bounds), LoadRequest(box, path, bounds), allowanceBytes);
}

std::optional<ChildLoad> TakeInChild(std::size_t bytes) {
  return Measured(L"take 0", L"take " + std::to_wstring(bytes), bytes * 2);
}

namespace {

// The child: run only when the parent asks (its name keeps it out of every ordinary run).
TEST(DISABLED_ChildLoad, Run) {
  wchar_t request[4096];
  const DWORD length = ::GetEnvironmentVariableW(kChildVariable, request, static_cast<DWORD>(std::size(request)));
  if (length == 0 || length >= std::size(request)) GTEST_SKIP() << "run by LoadInChild only";
  wchar_t report[MAX_PATH];
  const DWORD reportLength = ::GetEnvironmentVariableW(kReportVariable, report, MAX_PATH);
  if (reportLength == 0 || reportLength >= MAX_PATH) GTEST_SKIP() << "run by LoadInChild only";
  std::fflush(stdout);
  ::ExitProcess(static_cast<UINT>(RunAndReport(request, report)));
}

}  // namespace
}  // namespace lumiroll::test
