// The desktop's screen-saver password around the show, and the change-password mode, with
// stand-ins for password.cpl and mpr.dll placed in the prefix's system folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <vector>

#include "driver.h"
#include "standins/standin_record.h"

namespace lumiroll::e2e {
namespace {

using namespace std::string_literals;
namespace record = standin;

constexpr wchar_t kShowTitle[] = L"SCRNSAVE: Lumiroll Screen Saver";
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kFlagName[] = L"ScreenSaveUsePassword";

const std::wstring& Saver() {
  static const std::wstring path = BuiltProgram(L"Lumiroll.scr");
  return path;
}
std::wstring StandIn(std::wstring_view fileName) { return BuiltProgram(L"standins\\" + std::wstring(fileName)); }
std::wstring InSystemFolder(std::wstring_view fileName) {
  wchar_t folder[MAX_PATH] = {};
  ::GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder) + L"\\" + std::wstring(fileName);
}
std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
  return text;
}

// A registry value as stored: type and bytes.
struct RawValue {
  DWORD type = REG_NONE;
  std::string bytes;
};
RawValue Text(const wchar_t* text) {
  const std::wstring value(text);
  return {REG_SZ, std::string(reinterpret_cast<const char*>(value.c_str()), (value.size() + 1) * sizeof(wchar_t))};
}
RawValue Dword(DWORD number) { return {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4)}; }

std::optional<RawValue> ReadRaw(const wchar_t* key, const wchar_t* name) {
  char buffer[4096];
  DWORD size = sizeof buffer, type = 0;
  if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return RawValue{type, std::string(buffer, size)};
}
void WriteRaw(const wchar_t* key, const wchar_t* name, const std::optional<RawValue>& value) {
  if (!value) {
    DeleteRegistryValue(HKEY_CURRENT_USER, key, name);
    return;
  }
  ::RegSetKeyValueW(HKEY_CURRENT_USER, key, name, value->type, value->bytes.data(),
                    static_cast<DWORD>(value->bytes.size()));
}

// Asked in a fresh process: this one would keep the answer it was first given.
bool DesktopSaysScreenSaverRuns() {
  const RunningProgram probe = RunningProgram::Start(StandIn(L"running_probe.exe"), L"");
  DWORD exitCode = 0;
  EXPECT_TRUE(probe.WaitForEnd() && ::GetExitCodeProcess(probe.process(), &exitCode)) << "probe " << probe.Describe();
  return exitCode == 1;
}
void ClearScreenSaverRunning() {
  UINT scratch = 0;
  ::SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, 0, &scratch, 0);
}

std::uint64_t Recorded(const wchar_t* key, const wchar_t* name) { return record::ReadNumber(key, name).value_or(0); }
std::uint64_t PasswordCalls() { return Recorded(record::kPasswordKey, record::kCalls); }

// The files the stand-ins were loaded from, lower-cased.
std::vector<std::wstring> StandInLoads() {
  std::vector<std::wstring> paths;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, record::kLoadsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return paths;
  const UniqueKey owner(key);
  wchar_t name[1024];
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(std::size(name));
    if (::RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    paths.push_back(Lower(name));
  }
  return paths;
}

// A 16 x 16 red bitmap: the show needs one picture.
std::string SmallBitmap() {
  constexpr int side = 16, rowBytes = side * 3, pixelBytes = rowBytes * side;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + pixelBytes;
  info.biSize = sizeof info;
  info.biWidth = info.biHeight = side;
  info.biPlanes = 1;
  info.biBitCount = 24;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  for (int i = 0; i < side * side; ++i) bytes += "\x00\x00\xFF"s;
  return bytes;
}

// Pointer movements still waiting in the show's queue are merged into one, and nothing outside
// the show tells when one was taken: a movement meant to follow another is sent again, a second
// apart, until the show has answered it, up to the liveness limit.
template <typename Answered>
bool MoveUntil(const RunningProgram& show, int dx, Answered answered) {
  const ULONGLONG end = ::GetTickCount64() + kLivenessMs;
  while (::GetTickCount64() < end) {
    MovePointerBy(dx, 0);
    if (WaitUntil([&] { return answered() || !show.IsRunning(); }, 1000)) return answered();
  }
  return false;
}

// Everything a password test changes is put back: the desktop's flag and running state, the
// settings, the system folder, the stand-ins' records.
class PasswordTest : public testing::Test {
 protected:
  void SetUp() override {
    originalFlag_ = ReadRaw(kDesktopKey, kFlagName);
    DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\LumirollTest");
    ClearScreenSaverRunning();
    pictures_ = FreshFolder(L"password-pictures");
    WriteFileBytes(pictures_ + L"\\red.bmp", SmallBitmap());
    StoreSettings(L"5", L"1", pictures_, L"1");
    MovePointerTo(400, 300);  // away from the corner, which counts as no reference
  }
  void TearDown() override {
    WriteRaw(kDesktopKey, kFlagName, originalFlag_);
    ::DeleteFileW(InSystemFolder(L"password.cpl").c_str());
    DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\LumirollTest");
    ClearSettings();
    ClearScreenSaverRunning();
  }

  static void InstallPasswordLibrary() {
    ASSERT_TRUE(::CopyFileW(StandIn(L"password.cpl").c_str(), InSystemFolder(L"password.cpl").c_str(), FALSE));
  }
  static void SetAnswer(std::uint64_t answer) { record::WriteNumber(record::kPasswordKey, record::kAnswer, answer); }
  static void SetFlag(const std::optional<RawValue>& flag) { WriteRaw(kDesktopKey, kFlagName, flag); }

  // Starts the show and waits until it runs with the pointer hidden.
  static RunningProgram StartShow(HWND& window, const std::wstring& program = Saver(),
                                  std::wstring_view workingFolder = {}) {
    RunningProgram show = RunningProgram::Start(program, L"/s", workingFolder);
    window = show.WaitForWindow(kShowTitle);
    EXPECT_NE(window, nullptr) << "the show did not open";
    EXPECT_TRUE(show.WaitUntil([] { return !PointerVisible(); }, "the pointer hidden"));
    // Wine posts a pointer event of its own about 50 ms after a window shows, which the show takes
    // as its reference; nothing outside the show tells when it was taken, so the test lets it pass.
    ::Sleep(500);
    return show;
  }

 private:
  std::optional<RawValue> originalFlag_;
  std::wstring pictures_;
};

TEST_F(PasswordTest, WithProtectionOffAnyCloseEndsAtOnceAndTheDesktopIsNeverTold) {
  InstallPasswordLibrary();
  SetAnswer(0);  // would refuse, if it were asked
  // One row per outcome: the flag's spellings are UsePasswordTest.ComesFromTheDesktopsFlagInAnyOfItsForms'.
  const std::optional<RawValue> flags[] = {Dword(0)};
  for (const auto& flag : flags) {
    SCOPED_TRACE(flag ? testing::Message() << "flag type " << flag->type : testing::Message() << "no flag");
    SetFlag(flag);
    HWND window = nullptr;
    const RunningProgram show = StartShow(window);
    EXPECT_FALSE(DesktopSaysScreenSaverRuns());
    PressKey(VK_SPACE);
    EXPECT_TRUE(show.WaitForEnd()) << "the show did not end";
    EXPECT_EQ(PasswordCalls(), 0u) << "the password was asked";
    EXPECT_FALSE(DesktopSaysScreenSaverRuns());
  }
}

TEST_F(PasswordTest, TheRightPasswordEndsTheShowWithThePointerShownAndTheDesktopTold) {
  InstallPasswordLibrary();
  SetAnswer(1);
  for (const auto& flag : {Text(L"1")}) {  // the spellings: UsePasswordTest (tests/win)
    SCOPED_TRACE(testing::Message() << "flag type " << flag.type);
    DeleteRegistryTree(HKEY_CURRENT_USER, record::kPasswordKey);
    SetAnswer(1);
    SetFlag(flag);
    HWND window = nullptr;
    const RunningProgram show = StartShow(window);
    EXPECT_TRUE(DesktopSaysScreenSaverRuns()) << "the desktop was not told before the show";
    PressKey(VK_SPACE);
    ASSERT_TRUE(show.WaitForEnd()) << "the show did not end";
    EXPECT_EQ(PasswordCalls(), 1u);
    EXPECT_EQ(Recorded(record::kPasswordKey, record::kOwner), reinterpret_cast<std::uintptr_t>(window))
        << "the password dialog is not owned by the show";
    EXPECT_EQ(Recorded(record::kPasswordKey, record::kPointerVisible), 1u) << "pointer hidden over the dialog";
    EXPECT_EQ(Recorded(record::kPasswordKey, record::kRunning), 1u);
    EXPECT_EQ(Recorded(record::kPasswordKey, record::kPointerVisibleAtExit), 1u) << "pointer hidden at the end";
    EXPECT_EQ(Recorded(record::kPasswordKey, record::kRunningAtExit), 0u) << "running state not cleared";
    EXPECT_FALSE(DesktopSaysScreenSaverRuns());
  }
}

TEST_F(PasswordTest, AWrongPasswordKeepsTheShowAndTheNextMovementOnlyTakesANewReference) {
  InstallPasswordLibrary();
  SetFlag(Text(L"1"));
  // 0x10000 is non-zero, but only its low 16 bits count: a refusal.
  for (const std::uint64_t refusal : {0ull, 0x10000ull}) {
    SCOPED_TRACE(testing::Message() << "answer " << refusal);
    DeleteRegistryTree(HKEY_CURRENT_USER, record::kPasswordKey);
    SetAnswer(refusal);
    HWND window = nullptr;
    const RunningProgram show = StartShow(window);

    PressKey(VK_SPACE);
    ASSERT_TRUE(show.WaitUntil([] { return PasswordCalls() == 1; }, "the password asked"));
    EXPECT_EQ(Recorded(record::kPasswordKey, record::kPointerVisible), 1u);
    // Checks that nothing happens: each a stated span after the refusal that did.
    EXPECT_TRUE(show.StaysRunningFor(1000)) << "a refused close ended the show";
    EXPECT_TRUE(show.WaitUntil([] { return !PointerVisible(); }, "the pointer hidden after the dialog"));
    EXPECT_EQ(WaitForWindow(kShowTitle, L"", show.id(), 0), window);

    MovePointerBy(9, 0);
    // A movement taken as a reference shows nothing outside the show: a stated span for it.
    ::Sleep(1000);
    EXPECT_EQ(PasswordCalls(), 1u) << "the first movement after a refusal asked again";
    ASSERT_TRUE(MoveUntil(show, 9, [] { return PasswordCalls() == 2; })) << "a further movement did not ask";
    EXPECT_TRUE(show.IsRunning());
    EXPECT_TRUE(DesktopSaysScreenSaverRuns());

    SetAnswer(1);
    MovePointerBy(-9, 0);  // a new reference again
    ASSERT_TRUE(MoveUntil(show, -9, [&] { return !show.IsRunning(); })) << "the right password did not end the show";
    EXPECT_EQ(PasswordCalls(), 3u);
    EXPECT_EQ(Recorded(record::kPasswordKey, record::kPointerVisibleAtExit), 1u);
    EXPECT_FALSE(DesktopSaysScreenSaverRuns());
  }
}

TEST_F(PasswordTest, AnotherProgramMadeActiveAsksForThePasswordAsAnyCloseDoes) {
  InstallPasswordLibrary();
  SetFlag(Text(L"1"));
  SetAnswer(0);
  HWND window = nullptr;
  const RunningProgram show = StartShow(window);
  const RunningProgram refused = RunningProgram::Start(StandIn(L"desktop_standin.exe"), L"activate");
  ASSERT_TRUE(show.WaitUntil([] { return PasswordCalls() != 0; }, "the password asked"));
  // Wine without a window manager may hand the activation back to the other program once more.
  EXPECT_TRUE(show.StaysRunningFor(1500)) << "a refused close ended the show";
  EXPECT_EQ(::GetForegroundWindow(), window) << "the keys stayed with the other program";
  const std::uint64_t refusals = PasswordCalls();
  refused.Kill();
  SetAnswer(1);
  const RunningProgram granted = RunningProgram::Start(StandIn(L"desktop_standin.exe"), L"activate");
  EXPECT_TRUE(show.WaitForEnd()) << "the right password did not end the show";
  EXPECT_EQ(PasswordCalls(), refusals + 1);
  granted.Kill();
}

TEST_F(PasswordTest, WithoutTheDesktopsPasswordLibraryTheCloseIsGranted) {
  SetFlag(Text(L"1"));
  // No password.cpl at all, and a password.cpl that lacks the function (the mpr stand-in).
  for (const bool libraryWithoutFunction : {false, true}) {
    SCOPED_TRACE(libraryWithoutFunction ? "password.cpl without VerifyScreenSavePwd" : "no password.cpl");
    DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\LumirollTest");
    if (libraryWithoutFunction) {
      ASSERT_TRUE(::CopyFileW(StandIn(L"mpr.dll").c_str(), InSystemFolder(L"password.cpl").c_str(), FALSE));
    }
    HWND window = nullptr;
    const RunningProgram show = StartShow(window);
    EXPECT_TRUE(DesktopSaysScreenSaverRuns());
    PressKey(VK_SPACE);
    // Watched from the key to the end: no window but the show's, so no message.
    const std::vector<std::wstring> shown = show.WindowsShownUntilEnd();
    EXPECT_FALSE(show.IsRunning()) << "the close was not granted";
    EXPECT_TRUE(
        std::all_of(shown.begin(), shown.end(), [](const std::wstring& t) { return t.starts_with(kShowTitle); }))
        << "a message was shown: " << testing::PrintToString(shown);
    EXPECT_FALSE(DesktopSaysScreenSaverRuns());
    const auto loads = StandInLoads();
    EXPECT_EQ(loads, libraryWithoutFunction ? std::vector{Lower(InSystemFolder(L"password.cpl"))}
                                            : std::vector<std::wstring>{});
  }
}

TEST_F(PasswordTest, APasswordLibraryBesideTheProgramOrInTheCurrentFolderIsNeverLoaded) {
  SetFlag(Text(L"1"));
  SetAnswer(1);
  const std::wstring programFolder = FreshFolder(L"planted-program");
  const std::wstring currentFolder = FreshFolder(L"planted-current");
  const std::wstring program = programFolder + L"\\Lumiroll.scr";
  ASSERT_TRUE(::CopyFileW(Saver().c_str(), program.c_str(), FALSE));
  for (const auto& folder : {programFolder, currentFolder})
    ASSERT_TRUE(::CopyFileW(StandIn(L"password.cpl").c_str(), (folder + L"\\password.cpl").c_str(), FALSE));

  for (const bool inSystemFolder : {false, true}) {
    SCOPED_TRACE(inSystemFolder ? "the desktop's password.cpl too" : "only planted ones");
    DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\LumirollTest");
    SetAnswer(1);
    if (inSystemFolder) InstallPasswordLibrary();
    HWND window = nullptr;
    const RunningProgram show = StartShow(window, program, currentFolder);
    PressKey(VK_SPACE);
    EXPECT_TRUE(show.WaitForEnd()) << "the show did not end";
    EXPECT_EQ(PasswordCalls(), inSystemFolder ? 1u : 0u);
    EXPECT_EQ(StandInLoads(),
              inSystemFolder ? std::vector{Lower(InSystemFolder(L"password.cpl"))} : std::vector<std::wstring>{})
        << "a password library was loaded from elsewhere";
  }
}

// The change-password mode: the prefix's mpr.dll is swapped for the stand-in, and Wine is told
// to load that file from the system folder for Lumiroll.scr alone, rather than its own mpr.
class ChangePasswordTest : public testing::Test {
 protected:
  void SetUp() override {
    DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\LumirollTest");
    ASSERT_TRUE(::CopyFileW(InSystemFolder(L"mpr.dll").c_str(), backup_.c_str(), FALSE));
    WriteRegistryText(HKEY_CURRENT_USER, kSaverOverrides, L"mpr", L"native");
  }
  void TearDown() override {
    DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\Lumiroll.scr");
    ::CopyFileW(backup_.c_str(), InSystemFolder(L"mpr.dll").c_str(), FALSE);
    ::DeleteFileW(backup_.c_str());
    DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\LumirollTest");
  }

  static void InstallMpr(std::wstring_view standIn) {
    ASSERT_TRUE(::CopyFileW(StandIn(standIn).c_str(), InSystemFolder(L"mpr.dll").c_str(), FALSE));
  }
  static RunningProgram StartSaver(std::wstring_view arguments) { return RunningProgram::Start(Saver(), arguments); }

 private:
  static constexpr wchar_t kSaverOverrides[] = L"Software\\Wine\\AppDefaults\\Lumiroll.scr\\DllOverrides";
  std::wstring backup_ = InSystemFolder(L"mpr.dll.lumiroll-test");
};

TEST_F(ChangePasswordTest, CallsTheDesktopsChangePasswordForTheScreenSaverWithTheOwnerWindow) {
  InstallMpr(L"mpr.dll");
  const struct {
    const wchar_t* arguments;
    std::uint64_t owner;
  } rows[] = {{L"/a 1234", 1234}, {L"/a", 0}};  // one row per outcome; the spellings: ParseArguments (unit)
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.arguments)));
    DeleteRegistryTree(HKEY_CURRENT_USER, record::kChangePasswordKey);
    const RunningProgram program = StartSaver(row.arguments);
    ASSERT_TRUE(program.started());
    EXPECT_TRUE(program.WaitForEnd()) << "the program did not end";
    EXPECT_EQ(Recorded(record::kChangePasswordKey, record::kCalls), 1u);
    EXPECT_EQ(Recorded(record::kChangePasswordKey, record::kOwner), row.owner);
    EXPECT_EQ(record::ReadText(record::kChangePasswordKey, record::kProvider), L"SCRSAVE");
    EXPECT_EQ(record::ReadText(record::kChangePasswordKey, record::kReserved), L"0,0");
    EXPECT_EQ(Lower(record::ReadText(record::kChangePasswordKey, record::kModule)), Lower(InSystemFolder(L"mpr.dll")));
  }
}

TEST_F(ChangePasswordTest, WithoutTheFunctionNothingHappensAndTheProgramEnds) {
  InstallMpr(L"password.cpl");  // a library without PwdChangePasswordA
  const RunningProgram program = StartSaver(L"/a 1234");
  ASSERT_TRUE(program.started());
  EXPECT_EQ(program.WindowsShownUntilEnd(), std::vector<std::wstring>{}) << "watched while it ran";
  EXPECT_FALSE(program.IsRunning()) << "the program did not end";
  EXPECT_EQ(Recorded(record::kChangePasswordKey, record::kCalls), 0u);
  EXPECT_EQ(StandInLoads(), std::vector{Lower(InSystemFolder(L"mpr.dll"))}) << "the library was not tried";
}

}  // namespace
}  // namespace lumiroll::e2e
