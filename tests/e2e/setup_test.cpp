// Setup.exe run from a folder holding the distribution, driven through its two dialogs.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "dialog_helpers.h"
#include "driver.h"

namespace lumiroll::e2e {
namespace {

constexpr const wchar_t* kPhotographs[] = {L"harbor.jpg", L"meadow.jpg", L"lantern.jpg", L"tulips.jpg"};
constexpr wchar_t kWelcome[] = L"Lumiroll Setup";
constexpr wchar_t kFinal[] = L"Lumiroll Setup Complete";
constexpr wchar_t kBackground[] = L"Lumiroll 2.0 Setup";

std::wstring InstalledSaver() {
  wchar_t folder[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder, length) + L"\\Lumiroll.scr";
}

std::uintmax_t SizeOf(const std::wstring& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

std::optional<std::wstring> Setting(std::wstring_view name) {
  return ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, name);
}

class SetupProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ::DeleteFileW(InstalledSaver().c_str());
    ClearSettings();
    folder_ = FreshFolder(L"setup");
  }
  void TearDown() override {
    ::DeleteFileW(InstalledSaver().c_str());
    ClearSettings();
  }

  // Setup.exe with the screen saver and the four photographs beside it.
  void UnpackDistribution() {
    ASSERT_TRUE(::CopyFileW(BuiltProgram(L"Setup.exe").c_str(), (folder_ + L"\\Setup.exe").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(BuiltProgram(L"Lumiroll.scr").c_str(), (folder_ + L"\\Lumiroll.scr").c_str(), FALSE));
    for (const wchar_t* photograph : kPhotographs)
      ASSERT_TRUE(::CopyFileW(AssetPath(std::wstring(L"photos/") + photograph).c_str(),
                              (folder_ + L"\\" + photograph).c_str(), FALSE));
  }
  [[nodiscard]] RunningProgram StartSetup() const {
    return RunningProgram::Start(folder_ + L"\\Setup.exe", L"", folder_);
  }
  // Presses a dialog's button once the dialog shows.
  static void Answer(const RunningProgram& setup, const wchar_t* title, int button) {
    HWND dialog = setup.WaitForWindow(title, L"#32770");
    ASSERT_NE(dialog, nullptr) << "no dialog " << ::testing::PrintToString(std::wstring(title));
    PressButton(dialog, button);
  }
  void ExpectNothingInstalled() const {
    EXPECT_FALSE(FileExists(InstalledSaver()));
    EXPECT_FALSE(FileExists(images()));
    EXPECT_FALSE(Setting(L"PhotoDisplayTime"));
    EXPECT_FALSE(Setting(L"PhotoDirectory"));
    for (const wchar_t* photograph : kPhotographs) EXPECT_TRUE(FileExists(folder_ + L"\\" + photograph));
  }
  void ExpectDefaultSettings() const {
    EXPECT_EQ(Setting(L"PhotoDisplayTime"), L"5");
    EXPECT_EQ(Setting(L"PhotoSize"), L"2");
    EXPECT_EQ(Setting(L"PhotoDirectory"), images());
    EXPECT_EQ(Setting(L"PhotoOrder"), L"2");
  }
  void RunOkOk() const {
    const auto setup = StartSetup();
    ASSERT_TRUE(setup.started());
    Answer(setup, kWelcome, IDOK);
    Answer(setup, kFinal, IDOK);
    EXPECT_TRUE(setup.WaitForExit(10000));
  }
  [[nodiscard]] std::wstring images() const { return folder_ + L"\\images"; }

  std::wstring folder_;
};

TEST_F(SetupProgram, OkOkInstallsTheSaverMovesThePhotographsAndWritesTheDefaults) {
  UnpackDistribution();
  RunOkOk();
  EXPECT_EQ(SizeOf(InstalledSaver()), SizeOf(BuiltProgram(L"Lumiroll.scr")));
  for (const wchar_t* photograph : kPhotographs) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(photograph)));
    EXPECT_EQ(SizeOf(images() + L"\\" + photograph), SizeOf(AssetPath(std::wstring(L"photos/") + photograph)));
    EXPECT_FALSE(FileExists(folder_ + L"\\" + photograph));
  }
  EXPECT_TRUE(FileExists(folder_ + L"\\Lumiroll.scr")) << "the screen saver is copied, not moved";
  ExpectDefaultSettings();
}

TEST_F(SetupProgram, SettingsThatCannotBeWrittenAreReportedAfterTheFilesAreInstalled) {
  UnpackDistribution();
  const UnwritableSettings unwritable;
  ASSERT_TRUE(unwritable.made());
  const auto setup = StartSetup();
  Answer(setup, kWelcome, IDOK);
  Answer(setup, kFinal, IDOK);
  ExpectMessage(setup, L"Lumiroll Error",
                L"Lumiroll could not save the photo display time, photo size, photo folder and photo order.");
  EXPECT_TRUE(setup.WaitForExit(10000));
  EXPECT_EQ(SizeOf(InstalledSaver()), SizeOf(BuiltProgram(L"Lumiroll.scr")));
  for (const wchar_t* photograph : kPhotographs) EXPECT_TRUE(FileExists(images() + L"\\" + photograph));
  EXPECT_FALSE(Setting(L"PhotoDirectory"));
}

TEST_F(SetupProgram, CancelOnTheWelcomeDialogChangesNothing) {
  UnpackDistribution();
  const auto setup = StartSetup();
  Answer(setup, kWelcome, IDCANCEL);
  EXPECT_TRUE(setup.WaitForExit(10000));
  ExpectNothingInstalled();
}

TEST_F(SetupProgram, ClosingTheFinalDialogOtherwiseInstallsNothing) {
  UnpackDistribution();
  const struct {
    const char* how;
    void (*close)(HWND);
  } rows[] = {
      {"WM_CLOSE", [](HWND dialog) { ::PostMessageW(dialog, WM_CLOSE, 0, 0); }},
      {"SC_CLOSE", [](HWND dialog) { ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.how);
    const auto setup = StartSetup();
    // Closing the welcome dialog by other means than its buttons counts as OK.
    HWND welcome = WaitForWindow(kWelcome, L"#32770", setup.id());
    ASSERT_NE(welcome, nullptr);
    row.close(welcome);
    HWND final = WaitForWindow(kFinal, L"#32770", setup.id());
    ASSERT_NE(final, nullptr);
    PressKey(VK_ESCAPE);  // the final dialog has no cancel button: Esc does nothing
    // A check that nothing happens: a stated span after the key.
    EXPECT_FALSE(WaitUntil([&] { return !::IsWindowVisible(final); }, 500));
    row.close(final);
    EXPECT_TRUE(setup.WaitForExit(10000));
    ExpectNothingInstalled();
  }
}

TEST_F(SetupProgram, ASecondRunKeepsThePhotographsAndResetsTheSettings) {
  UnpackDistribution();
  RunOkOk();
  StoreSettings(L"12", L"1", L"C:\\elsewhere", L"1");
  RunOkOk();
  for (const wchar_t* photograph : kPhotographs)
    EXPECT_EQ(SizeOf(images() + L"\\" + photograph), SizeOf(AssetPath(std::wstring(L"photos/") + photograph)));
  EXPECT_TRUE(FileExists(InstalledSaver()));
  ExpectDefaultSettings();
}

// Told in a message naming the file; the photographs stay and no setting is written.
TEST_F(SetupProgram, AScreenSaverThatCannotBeCopiedIsToldAndNothingElseIsDone) {
  const struct {
    const char* how;
    bool unpacked;       // the distribution beside Setup, or Setup alone
    bool installedHeld;  // an installed copy held open with no sharing, as a running one is
    const wchar_t* said;
  } rows[] = {
      {"the installed copy in use", true, true, L"Setup could not copy "},
      {"Setup started from a folder without the files", false, false, L"Setup cannot find "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.how);
    folder_ = FreshFolder(L"setup-not-copied");
    if (row.unpacked) UnpackDistribution();
    UniqueFile held;
    if (row.installedHeld) {
      ASSERT_TRUE(WriteFileBytes(InstalledSaver(), "older"));
      held.reset(::CreateFileW(InstalledSaver().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(held);
    }
    const auto setup = RunningProgram::Start(BuiltProgram(L"Setup.exe"), L"", folder_);
    Answer(setup, kWelcome, IDOK);
    Answer(setup, kFinal, IDOK);
    HWND box = WaitForMessageBox(setup.id(), 60000);
    ASSERT_NE(box, nullptr) << "the failed copy was not told";
    const auto content = ReadMessageBox(box);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->title, L"Lumiroll Error");
    EXPECT_TRUE(content->text.starts_with(std::wstring(row.said) + folder_ + L"\\Lumiroll.scr")) << content->text;
    PressButton(box, IDOK);
    EXPECT_TRUE(setup.WaitForExit(60000));
    held.reset();
    if (row.installedHeld) {
      EXPECT_EQ(SizeOf(InstalledSaver()), 5u) << "the older copy stays";
    }
    EXPECT_FALSE(FileExists(images()));
    EXPECT_FALSE(Setting(L"PhotoDirectory"));
    for (const wchar_t* photograph : kPhotographs) {
      EXPECT_EQ(FileExists(folder_ + L"\\" + photograph), row.unpacked);
    }
    ::DeleteFileW(InstalledSaver().c_str());
  }
}

TEST_F(SetupProgram, APhotographWhoseCopyFailsStaysInTheFolder) {
  const struct {
    const char* how;
    UniqueFile (*spoil)(const std::wstring& target);  // what it returns is held during Setup
  } rows[] = {
      {"a folder of that name",
       [](const std::wstring& target) {
         ::CreateDirectoryW(target.c_str(), nullptr);
         return UniqueFile();
       }},
      {"an older file of that name in use",
       [](const std::wstring& target) {
         WriteFileBytes(target, "older");
         return UniqueFile(
             ::CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.how);
    folder_ = FreshFolder(L"setup-spoiled");
    UnpackDistribution();
    ASSERT_TRUE(::CreateDirectoryW(images().c_str(), nullptr));
    const UniqueFile held = row.spoil(images() + L"\\harbor.jpg");
    RunOkOk();
    EXPECT_EQ(SizeOf(folder_ + L"\\harbor.jpg"), SizeOf(AssetPath(L"photos/harbor.jpg"))) << "harbor.jpg is kept";
    for (const wchar_t* moved : {L"meadow.jpg", L"lantern.jpg", L"tulips.jpg"}) {
      EXPECT_FALSE(FileExists(folder_ + L"\\" + moved));
      EXPECT_TRUE(FileExists(images() + L"\\" + moved));
    }
    ExpectDefaultSettings();
  }
}

TEST_F(SetupProgram, ASecondCopyWhileOneRunsShowsNothing) {
  UnpackDistribution();
  const auto first = StartSetup();
  ASSERT_NE(first.WaitForWindow(kWelcome, L"#32770"), nullptr);
  const auto second = StartSetup();
  ASSERT_TRUE(second.started());
  EXPECT_EQ(second.WindowsShownUntilEnd(), std::vector<std::wstring>{}) << "watched while it ran";
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(first.IsRunning());
  Answer(first, kWelcome, IDCANCEL);
  EXPECT_TRUE(first.WaitForExit(10000));
  ExpectNothingInstalled();
}

bool IsGradient(std::uint32_t pixel, int y, int height) {
  const int red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
  const int expected = 255 - 255 * y / height;
  return red == 0 && green == 0 && std::abs(blue - expected) <= 3;
}

int CountIn(const Screenshot& shot, RECT area, bool (*match)(std::uint32_t)) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) count += match(shot.At(x, y));
  return count;
}

TEST_F(SetupProgram, TheBackgroundShowsTheGradientAndTheShadowedCaptionUnderTheDialogs) {
  UnpackDistribution();
  const auto setup = StartSetup();
  ASSERT_NE(WaitForWindow(kBackground, L"", setup.id()), nullptr);
  Answer(setup, kWelcome, IDOK);
  HWND final = setup.WaitForWindow(kFinal, L"#32770");
  ASSERT_NE(final, nullptr);
  ASSERT_TRUE(WaitForPainted(setup, ::GetDlgItem(final, IDOK)));
  RECT where{};
  ::GetWindowRect(final, &where);
  const POINT centre{(where.left + where.right) / 2, (where.top + where.bottom) / 2};
  // The OK button may be painted before the rest of the dialog: wait for its middle too.
  ASSERT_TRUE(
      setup.WaitUntil([&] { return !IsGradient(TakeScreenshot().At(centre.x, centre.y), centre.y, ScreenHeight()); },
                      "the dialog painted over the background"));
  const Screenshot shot = TakeScreenshot();
  ASSERT_GT(shot.height, 0);
  shot.SaveBmp(folder_ + L"\\setup-screen.bmp");
  if (const char* keep = std::getenv("LUMIROLL_KEEP_SCREENSHOT")) shot.SaveBmp(std::filesystem::path(keep).wstring());

  const int w = shot.width, h = shot.height;
  EXPECT_TRUE(IsGradient(shot.At(w - 3, 150), 150, h)) << std::hex << shot.At(w - 3, 150);
  EXPECT_TRUE(IsGradient(shot.At(w - 3, h - 3), h - 3, h)) << std::hex << shot.At(w - 3, h - 3);
  EXPECT_GE(shot.At(w - 3, 1) & 0xFF, 0xFCu);
  EXPECT_LE(shot.At(w - 3, h - 1) & 0xFF, 0x03u);
  // The caption: white letters from (4, 4), their black copy 8 units further down and right.
  const RECT caption{0, 0, w / 2, 120};
  EXPECT_GT(CountIn(shot, caption, [](std::uint32_t p) { return p == 0xFFFFFF; }), 2000);
  EXPECT_GT(CountIn(shot, caption, [](std::uint32_t p) { return p == 0x000000; }), 300);
  EXPECT_EQ(CountIn(shot, RECT{0, 0, 4, 4}, [](std::uint32_t p) { return p == 0xFFFFFF; }), 0);

  // Moved away, the dialog leaves the gradient behind it unharmed: nothing paints it again.
  EXPECT_FALSE(IsGradient(shot.At(centre.x, centre.y), centre.y, h)) << "the dialog is over the background";
  ::SetWindowPos(final, nullptr, 0, h - (where.bottom - where.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  std::uint32_t after = 0;
  EXPECT_TRUE(setup.WaitUntil([&] { return IsGradient(after = TakeScreenshot().At(centre.x, centre.y), centre.y, h); },
                              "the gradient uncovered"))
      << std::hex << after;
  ::PostMessageW(final, WM_CLOSE, 0, 0);
  EXPECT_TRUE(setup.WaitForExit(10000));
}

}  // namespace
}  // namespace lumiroll::e2e
