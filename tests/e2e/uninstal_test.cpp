// Uninstal.exe asked, answered, and what it leaves behind.
#include <gtest/gtest.h>

#include "driver.h"

namespace lumiroll::e2e {
namespace {

constexpr wchar_t kTitle[] = L"Lumiroll Uninstall";

std::wstring InstalledSaver() {
  wchar_t folder[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder, length) + L"\\Lumiroll.scr";
}

bool AnySettingLeft() {
  for (const wchar_t* name : {L"PhotoDisplayTime", L"PhotoSize", L"PhotoDirectory", L"PhotoOrder"})
    if (ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, name)) return true;
  return false;
}

class UninstalProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    images_ = FreshFolder(L"uninstal") + L"\\images";
    ASSERT_TRUE(::CreateDirectoryW(images_.c_str(), nullptr));
    ASSERT_TRUE(::CopyFileW(AssetPath(L"photos/harbor.jpg").c_str(), (images_ + L"\\harbor.jpg").c_str(), FALSE));
  }
  void TearDown() override {
    ::DeleteFileW(InstalledSaver().c_str());
    ClearSettings();
  }
  void Install() const {
    ASSERT_TRUE(::CopyFileW(BuiltProgram(L"Lumiroll.scr").c_str(), InstalledSaver().c_str(), FALSE));
    StoreSettings(L"5", L"2", images_, L"2");
  }
  static HWND WaitForQuestion(const RunningProgram& program) { return program.WaitForWindow(kTitle, L"#32770"); }
  // Presses Yes and returns the report, read after the question has gone.
  static std::wstring AnswerYes(const RunningProgram& program) {
    HWND question = WaitForQuestion(program);
    EXPECT_NE(question, nullptr);
    PressButton(question, IDYES);
    HWND box = program.WaitForMessageBox();
    EXPECT_NE(box, nullptr);
    EXPECT_FALSE(::IsWindow(question) && ::IsWindowVisible(question)) << "the question closes first";
    const auto content = ReadMessageBox(box);
    if (!content) return L"(no message)";
    EXPECT_EQ(content->title, kTitle);
    EXPECT_FALSE(content->hasCancel);
    PressButton(box, IDOK);
    EXPECT_TRUE(program.WaitForExit(10000));
    return content->text;
  }

  std::wstring images_;
};

TEST_F(UninstalProgram, EnterEscapeAndClosingChangeNothing) {
  Install();
  const struct {
    const char* how;
    void (*answer)(HWND);
  } rows[] = {
      {"Enter", [](HWND) { PressKey(VK_RETURN); }},
      {"No", [](HWND question) { PressButton(question, IDNO); }},
      {"WM_CLOSE", [](HWND question) { ::PostMessageW(question, WM_CLOSE, 0, 0); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.how);
    const auto program = RunningProgram::Start(BuiltProgram(L"Uninstal.exe"), L"");
    HWND question = WaitForQuestion(program);
    ASSERT_NE(question, nullptr);
    PressKey(VK_ESCAPE);  // no cancel button: Esc does nothing
    ASSERT_TRUE(program.StaysRunningFor(500)) << "a stated span after the key";
    row.answer(question);
    // Watched from the answer to the end: the question, and no message after it.
    const std::vector<std::wstring> shown = program.WindowsShownUntilEnd();
    EXPECT_LE(shown.size(), 1u) << testing::PrintToString(shown);
    EXPECT_FALSE(program.IsRunning());
    EXPECT_TRUE(FileExists(InstalledSaver()));
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, L"PhotoDirectory"), images_);
  }
}

TEST_F(UninstalProgram, YesRemovesTheSaverAndAllSettingsButNotThePhotographs) {
  Install();
  const auto program = RunningProgram::Start(BuiltProgram(L"Uninstal.exe"), L"");
  EXPECT_EQ(AnswerYes(program), L"Uninstall completed successfully");
  EXPECT_FALSE(FileExists(InstalledSaver()));
  EXPECT_FALSE(AnySettingLeft());
  EXPECT_TRUE(FileExists(images_ + L"\\harbor.jpg"));
}

TEST_F(UninstalProgram, YesWhereNothingWasInstalledReportsSuccess) {
  ::DeleteFileW(InstalledSaver().c_str());
  ClearSettings();
  const auto program = RunningProgram::Start(BuiltProgram(L"Uninstal.exe"), L"");
  EXPECT_EQ(AnswerYes(program), L"Uninstall completed successfully");
  EXPECT_FALSE(AnySettingLeft());
}

TEST_F(UninstalProgram, YesWhileTheSaverIsInUseSaysItCouldNotBeRemoved) {
  Install();
  const std::wstring saver = InstalledSaver();
  {
    UniqueFile held(::CreateFileW(saver.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    const auto program = RunningProgram::Start(BuiltProgram(L"Uninstal.exe"), L"");
    const std::wstring report = AnswerYes(program);
    EXPECT_NE(report, L"Uninstall completed successfully");
    EXPECT_NE(report.find(saver), std::wstring::npos) << testing::PrintToString(report);
    EXPECT_FALSE(AnySettingLeft());
    EXPECT_TRUE(FileExists(saver));
  }
}

}  // namespace
}  // namespace lumiroll::e2e
