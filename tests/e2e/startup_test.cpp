// The screen saver started with the argument texts the desktop (or a user) may pass.
#include <gtest/gtest.h>

#include "dialog_helpers.h"

namespace lumiroll::e2e {
namespace {

const std::wstring& Saver() {
  static const std::wstring path = BuiltProgram(L"Lumiroll.scr");
  return path;
}

// Expects the program to show exactly this message box, closes it, and expects the end.
void ExpectMessageThenEnd(const RunningProgram& program, std::wstring_view title, std::wstring_view text) {
  ExpectMessage(program, title, text);
  EXPECT_TRUE(program.WaitForExit(5000));
}

TEST(StartUp, UnknownSwitchesAreReportedWithTheNormalisedText) {
  const struct {
    const wchar_t* arguments;
    const wchar_t* message;
  } rows[] = {
      {L"-s", L"Unknown Command Line Parameter -s"},
      {L"/X  Y", L"Unknown Command Line Parameter /x  y"},
      {L"/", L"Unknown Command Line Parameter /"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "arguments: " << testing::PrintToString(std::wstring(row.arguments)));
    const auto program = RunningProgram::Start(Saver(), row.arguments);
    ASSERT_TRUE(program.started());
    ExpectMessageThenEnd(program, L"Lumiroll Error", row.message);
  }
}

TEST(StartUp, PreviewEndsAtOnceWithoutAWindow) {
  const auto program = RunningProgram::Start(Saver(), L"/p 1234");
  ASSERT_TRUE(program.started());
  EXPECT_TRUE(program.WaitForExit(5000));
  EXPECT_TRUE(VisibleWindowsOf(program.id()).empty());
}

TEST(StartUp, NoArgumentAndConfigureSwitchesOpenTheSettingsDialog) {
  for (const wchar_t* arguments : {L"", L"/c", L"/c:1234", L"/C 1234"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(arguments)));
    const auto program = RunningProgram::Start(Saver(), arguments);
    HWND dialog = WaitForWindow(L"Lumiroll Settings", L"", program.id());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), nullptr) << "the settings dialog has no owner";
    program.Kill();
    ASSERT_TRUE(program.WaitForExit(5000));
  }
}

TEST(StartUp, ASecondCopyEndsSilentlyAndLeavesTheFirstAlone) {
  const auto first = RunningProgram::Start(Saver(), L"/c");
  ASSERT_NE(WaitForWindow(L"Lumiroll Settings", L"", first.id()), nullptr);
  for (const wchar_t* arguments : {L"/s", L"-s", L"/c"}) {
    const auto second = RunningProgram::Start(Saver(), arguments);
    ASSERT_TRUE(second.started());
    EXPECT_TRUE(second.WaitForExit(5000)) << "second copy still running";
    EXPECT_TRUE(VisibleWindowsOf(second.id()).empty());
  }
  EXPECT_TRUE(first.IsRunning());
  EXPECT_NE(WaitForWindow(L"Lumiroll Settings", L"", first.id(), 1000), nullptr);
}

}  // namespace
}  // namespace lumiroll::e2e
