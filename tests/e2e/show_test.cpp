// The show (Lumiroll.scr /s) driven as a user meets it: pictures on the screen, keys, clicks and
// pointer movements, the messages about the photo folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "driver.h"
#include "show_fixture.h"
#include "test_photos.h"

namespace lumiroll::e2e {
namespace {

constexpr std::uint32_t kBlack = 0x000000, kRed = 0xE02020, kGreen = 0x20C040, kBlue = 0x2040E0;
constexpr std::uint32_t kMagenta = 0xD040D0;

bool Near(std::uint32_t a, std::uint32_t b, int tolerance = 24) {
  for (int shift : {0, 8, 16}) {
    const int ca = static_cast<int>((a >> shift) & 0xFF), cb = static_cast<int>((b >> shift) & 0xFF);
    if (std::abs(ca - cb) > tolerance) return false;
  }
  return true;
}

bool IsGrey(std::uint32_t c) {
  const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
  return r > 40 && std::abs(r - g) <= 6 && std::abs(g - b) <= 6;
}

// The known colour a pixel shows (by nearness), or the pixel itself.
std::uint32_t Classify(std::uint32_t pixel) {
  for (std::uint32_t known : {kBlack, kRed, kGreen, kBlue, kMagenta})
    if (Near(pixel, known)) return known;
  return pixel;
}

std::uint32_t CentreColour() { return Classify(TakeScreenshot().At(ScreenWidth() / 2, ScreenHeight() / 2)); }

// The colours the screen's centre shows over the time, one entry per change.
std::vector<std::uint32_t> WatchCentre(DWORD milliseconds) {
  std::vector<std::uint32_t> seen;
  const ULONGLONG end = ::GetTickCount64() + milliseconds;
  while (::GetTickCount64() < end) {
    const std::uint32_t colour = CentreColour();
    if (seen.empty() || seen.back() != colour) seen.push_back(colour);
    ::Sleep(60);
  }
  return seen;
}

bool WaitForCentre(std::uint32_t colour, DWORD timeoutMs = 5000) {
  return WaitUntil([&] { return CentreColour() == colour; }, timeoutMs, 40);
}

std::wstring Hex(std::uint32_t c) {
  wchar_t text[16];
  swprintf(text, 16, L"%06X", c);
  return text;
}
std::string Describe(const std::vector<std::uint32_t>& colours) {
  std::string text;
  for (auto c : colours) {
    for (wchar_t ch : Hex(c)) text += static_cast<char>(ch);
    text += ' ';
  }
  return text;
}

// A folder of the three solid pictures A (red), b (green), C (blue): alphabetic order ignores case.
std::wstring ThreeColourFolder(std::wstring_view name) {
  const std::wstring folder = FreshFolder(name);
  WriteSolidBmp(folder + L"\\C.bmp", 64, 48, kBlue);
  WriteSolidBmp(folder + L"\\A.bmp", 64, 48, kRed);
  WriteSolidBmp(folder + L"\\b.bmp", 64, 48, kGreen);
  return folder;
}

class Show : public ShowFixture {
 protected:
  // Starts the show and waits for its window; false when it does not appear.
  bool StartShow(std::wstring_view time, std::wstring_view size, const std::wstring& folder, std::wstring_view order) {
    return StartShowWindow(time, size, folder, order) != nullptr;
  }
};

TEST_F(Show, AlphabeticOrderShowsEachPictureInTurnAndStartsAgain) {
  ASSERT_TRUE(StartShow(L"1", L"1", ThreeColourFolder(L"alphabetic"), L"1"));
  ASSERT_TRUE(WaitForCentre(kRed));
  auto seen = WatchCentre(4000);
  ASSERT_GE(seen.size(), 4u) << Describe(seen);
  seen.resize(4);
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{kRed, kGreen, kBlue, kRed})) << Describe(seen);
}

TEST_F(Show, RandomOrderShowsAllThreeOnEachPassInOneOrder) {
  ASSERT_TRUE(StartShow(L"1", L"1", ThreeColourFolder(L"random"), L"2"));
  ASSERT_TRUE(WaitUntil([] { return CentreColour() != kBlack; }, 5000));
  auto seen = WatchCentre(7500);
  ASSERT_GE(seen.size(), 7u) << Describe(seen);
  // The first entry may be the middle of a period; passes are whole from the next.
  const std::vector<std::uint32_t> firstPass(seen.begin() + 1, seen.begin() + 4);
  const std::vector<std::uint32_t> secondPass(seen.begin() + 4, seen.begin() + 7);
  EXPECT_EQ(std::set<std::uint32_t>(firstPass.begin(), firstPass.end()), (std::set<std::uint32_t>{kRed, kGreen, kBlue}))
      << Describe(seen);
  EXPECT_EQ(firstPass, secondPass) << Describe(seen);
}

TEST_F(Show, ActualSizeCentresThePictureAtItsOwnSize) {
  const std::wstring folder = FreshFolder(L"actual");
  WriteSolidBmp(folder + L"\\only.bmp", 400, 300, kMagenta);
  ASSERT_TRUE(StartShow(L"5", L"2", folder, L"1"));
  ASSERT_TRUE(WaitForCentre(kMagenta));
  const Screenshot shot = TakeScreenshot();
  ASSERT_EQ(shot.width, 1024);
  ASSERT_EQ(shot.height, 768);
  const struct {
    int x, y;
    std::uint32_t colour;
  } rows[] = {{312, 234, kMagenta}, {711, 533, kMagenta}, {311, 234, kBlack}, {312, 233, kBlack},
              {712, 533, kBlack},   {711, 534, kBlack},   {0, 0, kBlack},     {1023, 767, kBlack}};
  for (const auto& row : rows) EXPECT_EQ(Classify(shot.At(row.x, row.y)), row.colour) << row.x << ", " << row.y;
}

TEST_F(Show, FitScreenScalesThePictureToTouchTwoEdges) {
  const std::wstring folder = FreshFolder(L"fit");
  WriteSolidBmp(folder + L"\\wide.bmp", 400, 200, kMagenta);  // 2.56 times: 1024 x 512 at top 128
  ASSERT_TRUE(StartShow(L"5", L"1", folder, L"1"));
  ASSERT_TRUE(WaitForCentre(kMagenta));
  const Screenshot shot = TakeScreenshot();
  const struct {
    int x, y;
    std::uint32_t colour;
  } rows[] = {{0, 128, kMagenta}, {1023, 639, kMagenta}, {512, 127, kBlack},
              {512, 640, kBlack}, {0, 130, kMagenta},    {1023, 637, kMagenta}};
  for (const auto& row : rows) EXPECT_EQ(Classify(shot.At(row.x, row.y)), row.colour) << row.x << ", " << row.y;
}

TEST_F(Show, UpDownPauseResumeAndThankYouSteerTheShow) {
  ASSERT_TRUE(StartShow(L"3", L"1", ThreeColourFolder(L"keys"), L"1"));
  ASSERT_TRUE(WaitForCentre(kRed));
  PressKey(VK_UP);
  EXPECT_TRUE(WaitForCentre(kGreen, 1500)) << "Up shows the next at once";
  PressKey(VK_DOWN);
  EXPECT_TRUE(WaitForCentre(kRed, 1500)) << "Down shows the previous at once";

  PressKey('P');
  const auto paused = WatchCentre(4500);  // longer than the 3 s period
  EXPECT_EQ(paused, std::vector<std::uint32_t>{kRed}) << Describe(paused);
  PressKey('P');
  EXPECT_TRUE(WaitForCentre(kGreen, 1500)) << "P again goes on with the next";
  EXPECT_TRUE(WaitForCentre(kBlue, 4500)) << "and at the stored time again";

  PressKey('E');
  ASSERT_TRUE(WaitUntil([] { return IsGrey(TakeScreenshot().At(512, 384)); }, 1500)) << "thank-you picture";
  const Screenshot shot = TakeScreenshot();
  for (auto [x, y] : {std::pair{313, 236}, {710, 236}, {313, 532}, {710, 532}, {512, 250}})
    EXPECT_TRUE(IsGrey(shot.At(x, y))) << x << ", " << y << ": " << testing::PrintToString(Hex(shot.At(x, y)));
  for (auto [x, y] : {std::pair{311, 384}, {712, 384}, {512, 233}, {512, 534}})
    EXPECT_EQ(Classify(shot.At(x, y)), kBlack) << x << ", " << y;
  EXPECT_TRUE(program_->IsRunning()) << "E does not end the show";
  EXPECT_TRUE(WaitForCentre(kRed, 4500)) << "the next photograph replaces it when the period ends";
}

TEST_F(Show, AKeyAClickOrAPointerMovementEndsTheShowAndThePointerShowsAgain) {
  const struct {
    const char* name;
    void (*act)();
  } rows[] = {
      {"Space", [] { PressKey(VK_SPACE); }},
      {"Escape", [] { PressKey(VK_ESCAPE); }},
      {"a click", [] { ClickAt(200, 300); }},
      {"a pointer movement", [] { MovePointerBy(3, 0); }},
  };
  const std::wstring folder = ThreeColourFolder(L"ending");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    MovePointerTo(200, 300);
    ASSERT_TRUE(StartShow(L"5", L"1", folder, L"1"));
    ASSERT_TRUE(WaitForCentre(kRed));
    ::Sleep(500);  // the window system's own pointer event after showing is only a reference
    ASSERT_TRUE(program_->IsRunning());
    EXPECT_FALSE(PointerVisible()) << "hidden during the show";
    row.act();
    EXPECT_TRUE(program_->WaitForExit(5000));
    EXPECT_TRUE(PointerVisible());
  }
}

TEST_F(Show, AnImageDeletedDuringTheShowLeavesThePreviousForAnotherPeriod) {
  const std::wstring folder = ThreeColourFolder(L"deleted");
  ASSERT_TRUE(StartShow(L"1", L"1", folder, L"1"));
  ASSERT_TRUE(WaitForCentre(kRed));
  ASSERT_TRUE(::DeleteFileW((folder + L"\\b.bmp").c_str()));
  auto seen = WatchCentre(2600);
  ASSERT_GE(seen.size(), 2u) << Describe(seen);
  seen.resize(2);
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{kRed, kBlue})) << Describe(seen);
}

TEST_F(Show, AMissingOrEmptyFolderIsReportedAndEndsTheProgram) {
  const std::wstring empty = FreshFolder(L"empty");
  WriteFileBytes(empty + L"\\notes.txt", "not a picture");
  const std::wstring missing = FreshFolder(L"missing") + L"\\nothing here";
  const struct {
    std::wstring folder;
    std::wstring text;
  } rows[] = {
      {missing, L"Photo directory could not be found:\n\n" + missing},
      {L"0", L"Photo directory could not be found:\n\n0"},
      {empty, L"Photo directory has no images to display:\n\n" + empty + L"."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.folder));
    const RunningProgram& program = Launch(L"5", L"1", row.folder, L"1");
    HWND box = WaitForMessageBox(program.id());
    ASSERT_NE(box, nullptr);
    const auto content = ReadMessageBox(box);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->title, L"Lumiroll Error");
    EXPECT_EQ(content->text, row.text);
    EXPECT_FALSE(content->hasCancel);
    const HWND cover = WaitForWindow(kShowTitle, L"", program.id());
    EXPECT_NE(cover, nullptr) << "the show's black window covers the desktop behind the message";
    EXPECT_EQ(::GetWindow(box, GW_OWNER), cover);
    EXPECT_EQ(TakeScreenshot().At(5, 5), kBlack);
    PressButton(box, IDOK);
    EXPECT_TRUE(program.WaitForExit(5000));
  }
}

TEST_F(Show, IncompleteSettingsOpenTheSettingsDialogInstead) {
  const std::wstring folder = ThreeColourFolder(L"incomplete");
  for (const auto& [time, size, order] : {std::tuple{L"0", L"1", L"1"}, {L"5", L"0", L"1"}, {L"5", L"1", L"0"}}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(time) + L" " + size + L" " + order));
    const RunningProgram& program = Launch(time, size, folder, order);
    const HWND dialog = WaitForWindow(L"Lumiroll Settings", L"", program.id());
    ASSERT_NE(dialog, nullptr);
    const HWND cover = WaitForWindow(kShowTitle, L"", program.id());
    EXPECT_NE(cover, nullptr) << "the dialog stands over the black cover";
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), cover);
    EXPECT_FALSE(::IsWindowEnabled(cover)) << "input on the cover cannot end the program behind the dialog";
    ::Sleep(300);  // a check that the show does not start: nothing painted a span after the dialog showed
    EXPECT_EQ(TakeScreenshot().At(5, 5), kBlack);
    EXPECT_TRUE(program.IsRunning()) << "the dialog stays open";
    program.Kill();
    ASSERT_TRUE(program.WaitForExit(5000));
  }
}

}  // namespace
}  // namespace lumiroll::e2e
