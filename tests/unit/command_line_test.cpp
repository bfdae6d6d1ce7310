#include "saver/command_line.h"

#include <gtest/gtest.h>

namespace lumiroll {
namespace {

TEST(ParseArguments, TheFirstTwoCharactersChooseTheMode) {
  const struct {
    const wchar_t* arguments;
    StartMode mode;
    std::int32_t parent;
  } rows[] = {
      {L"/s", StartMode::Show, 0},
      {L"/S", StartMode::Show, 0},
      {L"  /s  ", StartMode::Show, 0},
      {L"/save", StartMode::Show, 0},
      {L"/c", StartMode::Configure, 0},
      {L"", StartMode::Configure, 0},
      {L"   ", StartMode::Configure, 0},
      {L"/c:1234", StartMode::Configure, 0},
      {L"/c 1234", StartMode::Configure, 0},
      {L"/p 1234", StartMode::Preview, 0},
      {L"/P", StartMode::Preview, 0},
      {L"/a 1234", StartMode::ChangePassword, 1234},
      {L"/a", StartMode::ChangePassword, 0},
      {L"/a:1234", StartMode::ChangePassword, 0},
      {L"/A  77x", StartMode::ChangePassword, 77},
      {L"-s", StartMode::Unknown, 0},
      {L"/", StartMode::Unknown, 0},
      {L"/X  Y", StartMode::Unknown, 0},
      {L"s/", StartMode::Unknown, 0},
  };
  for (const auto& row : rows) {
    const StartRequest request = ParseArguments(row.arguments);
    EXPECT_EQ(request.mode, row.mode) << row.arguments;
    EXPECT_EQ(request.parentWindow, row.parent) << row.arguments;
  }
}

TEST(ParseArguments, TheParentWindowComesFromTheUntrimmedText) {
  // Leading blanks shift the cut: the number is read from what follows the first two characters.
  EXPECT_EQ(ParseArguments(L" /a 55").parentWindow, 0);  // " /" cut, "a 55" reads as 0
}

TEST(UnknownSwitchMessage, ShowsTheWholeNormalisedText) {
  EXPECT_EQ(UnknownSwitchMessage(ParseArguments(L"-s").normalisedArguments), L"Unknown Command Line Parameter -s");
  EXPECT_EQ(UnknownSwitchMessage(ParseArguments(L" /X  Y ").normalisedArguments),
            L"Unknown Command Line Parameter /x  y");
}

TEST(ArgumentText, IsEverythingAfterTheProgramPath) {
  EXPECT_EQ(ArgumentText(L"\"C:\\Program Files\\Lumiroll.scr\" /s"), L"/s");
  EXPECT_EQ(ArgumentText(L"C:\\windows\\system32\\Lumiroll.scr /p 1234"), L"/p 1234");
  EXPECT_EQ(ArgumentText(L"Lumiroll.scr"), L"");
  EXPECT_EQ(ArgumentText(L"\"Lumiroll.scr\"/c:99"), L"/c:99");
  EXPECT_EQ(ArgumentText(L"Lumiroll.scr   /X  Y "), L"/X  Y ");
  EXPECT_EQ(ArgumentText(L"\"unterminated"), L"");
}

}  // namespace
}  // namespace lumiroll
