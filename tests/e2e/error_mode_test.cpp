// Every program asks for no critical-error pop-up (a drive with no medium) from its start.
#include <gtest/gtest.h>

#include "driver.h"

namespace lumiroll::e2e {
namespace {

// The program's process-wide error mode, read inside it: a thread started there at GetErrorMode,
// which takes nothing and whose result becomes the thread's exit code. kernel32 lies at the same
// address in every process of a session.
std::optional<UINT> ErrorModeOf(const RunningProgram& program) {
  const auto getErrorMode = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetErrorMode")));
  UniqueHandle thread(::CreateRemoteThread(program.process(), nullptr, 0, getErrorMode, nullptr, 0, nullptr));
  if (!thread || ::WaitForSingleObject(thread.get(), 60000) != WAIT_OBJECT_0) return std::nullopt;
  DWORD mode = 0;
  if (!::GetExitCodeThread(thread.get(), &mode)) return std::nullopt;
  return mode;
}

TEST(ErrorMode, EveryProgramFailsCriticalErrorsItself) {
  // A child takes its parent's mode: this process's is cleared, so only the program can set it.
  ::SetErrorMode(0);
  ASSERT_EQ(::GetErrorMode(), 0u);
  const std::wstring folder = FreshFolder(L"error-mode");
  const struct {
    const wchar_t* program;
    const wchar_t* arguments;
    const wchar_t* window;  // up once the program has started
  } rows[] = {
      {L"Lumiroll.scr", L"/c", L"Lumiroll Settings"},
      {L"Setup.exe", L"", L"Lumiroll Setup"},
      {L"Uninstal.exe", L"", L"Lumiroll Uninstall"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.program);
    const auto program = RunningProgram::Start(BuiltProgram(row.program), row.arguments, folder);
    ASSERT_NE(WaitForWindow(row.window, L"", program.id(), 60000), nullptr);
    const std::optional<UINT> mode = ErrorModeOf(program);
    ASSERT_TRUE(mode);
    EXPECT_TRUE(*mode & SEM_FAILCRITICALERRORS) << *mode;
    program.Kill();
  }
}

}  // namespace
}  // namespace lumiroll::e2e
