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
  EXPECT_TRUE(program.WaitForEnd()) << program.Describe();
}

TEST(StartUp, UnknownSwitchesAreReportedWithTheNormalisedText) {
  const struct {
    const wchar_t* arguments;
    const wchar_t* message;
  } rows[] = {
      // One row: the other spellings are UnknownSwitchMessage's and ParseArguments' (unit).
      {L"/X  Y", L"Unknown Command Line Parameter /x  y"},
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
  // Watched while it runs, not looked for after it has gone.
  EXPECT_EQ(program.WindowsShownUntilEnd(), std::vector<std::wstring>{});
  EXPECT_EQ(program.ExitCode(), 0u);
}

TEST(StartUp, NoArgumentAndConfigureSwitchesOpenTheSettingsDialog) {
  // No argument, and one spelling of /c: the others are ParseArguments' (unit).
  for (const wchar_t* arguments : {L"", L"/C 1234"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(arguments)));
    const auto program = RunningProgram::Start(Saver(), arguments);
    HWND dialog = program.WaitForWindow(L"Lumiroll Settings");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), nullptr) << "the settings dialog has no owner";
    program.Kill();
  }
}

TEST(StartUp, ASecondCopyEndsSilentlyAndLeavesTheFirstAlone) {
  const auto first = RunningProgram::Start(Saver(), L"/c");
  ASSERT_NE(first.WaitForWindow(L"Lumiroll Settings"), nullptr);
  for (const wchar_t* arguments : {L"/s", L"-s", L"/c"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(arguments)));
    const auto second = RunningProgram::Start(Saver(), arguments);
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.WindowsShownUntilEnd(), std::vector<std::wstring>{}) << "watched while it ran";
    EXPECT_EQ(second.ExitCode(), 0u);
  }
  EXPECT_TRUE(first.IsRunning());
  EXPECT_FALSE(VisibleWindowsOf(first.id()).empty());
}

}  // namespace
}  // namespace lumiroll::e2e
