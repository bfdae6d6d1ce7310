// The show and the settings dialog on a folder whose listing stops answering (mirrored through
// FUSE): the screen is covered and the dialog opens at once, and both answer while it stalls.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "dialog_helpers.h"
#include "saver/config/settings_dialog_layout.h"
#include "show_fixture.h"
#include "stalling_folder.h"
#include "test_photos.h"

namespace lumiroll::e2e {
namespace {

constexpr std::uint32_t kRed = 0xE02020;
constexpr DWORD kLiveness = 60000;

bool NearRed(std::uint32_t pixel) {
  const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  return r > 180 && g < 80 && b < 80;
}

std::uint32_t Centre() { return TakeScreenshot().At(ScreenWidth() / 2, ScreenHeight() / 2); }

// Waits for the condition while the program runs; false at once when it has ended.
template <typename Condition>
bool WhileRunning(const RunningProgram& program, Condition condition) {
  bool ended = false;
  const bool held = WaitUntil([&] { return condition() || (ended = !program.IsRunning()); }, kLiveness);
  return held && !ended;
}

class StalledListing : public ShowFixture {
 protected:
  // A key, and the milliseconds to the process gone; nothing when it runs on.
  std::optional<ULONGLONG> KeyToGone(const RunningProgram& program) {
    PressKey(VK_SPACE);
    const ULONGLONG pressed = ::GetTickCount64();
    if (!program.WaitForEnd()) return std::nullopt;
    return ::GetTickCount64() - pressed;
  }
};

TEST_F(StalledListing, TheShowCoversTheScreenAtOnceAndAKeyEndsItAsQuicklyAsAPlainEnding) {
  const StallingFolder folder(L"show-listing");
  if (!folder.unavailable().empty()) GTEST_SKIP() << folder.unavailable();
  WriteSolidBmp(folder.source() + L"\\a.bmp", 64, 48, kRed);

  const RunningProgram& plain = Launch(L"5", L"1", folder.path(), L"1");
  ASSERT_NE(WaitForWindow(kShowTitle, L"", plain.id(), kLiveness), nullptr);
  ASSERT_TRUE(WhileRunning(plain, [] { return NearRed(Centre()); }));
  const std::optional<ULONGLONG> plainMs = KeyToGone(plain);
  ASSERT_TRUE(plainMs) << "the plain show did not end";

  folder.StallListing();
  const int listings = folder.Listings();
  const RunningProgram& stalled = Launch(L"5", L"1", folder.path(), L"1");
  ASSERT_NE(WaitForWindow(kShowTitle, L"", stalled.id(), kLiveness), nullptr) << "no cover while the listing stalls";
  ASSERT_TRUE(WhileRunning(stalled, [&] { return folder.Listings() > listings; })) << "the listing never began";
  EXPECT_EQ(TakeScreenshot().At(5, 5), 0x000000u) << "the desktop is covered in black";
  const std::optional<ULONGLONG> stalledMs = KeyToGone(stalled);
  ASSERT_TRUE(stalledMs) << "the key did not end the program";
  std::printf("key to gone: %llu ms during a stalled listing, %llu ms in a plain show\n", *stalledMs, *plainMs);
  EXPECT_LT(*stalledMs, *plainMs + 3000);  // margins for a busy machine; the listing would take for ever

  folder.ReleaseListing();
  const RunningProgram& next = Launch(L"5", L"1", folder.path(), L"1");
  ASSERT_NE(WaitForWindow(kShowTitle, L"", next.id(), kLiveness), nullptr);
  EXPECT_TRUE(WhileRunning(next, [] { return NearRed(Centre()); })) << "the next start shows its photograph";
}

TEST(StalledListingDialog, OpensOnAStalledFolderAndCancelEndsIt) {
  const StallingFolder folder(L"dialog-listing");
  if (!folder.unavailable().empty()) GTEST_SKIP() << folder.unavailable();
  folder.StallListing();
  StoreSettings(L"5", L"1", folder.path(), L"1");
  SettingsDialogSession session;
  ASSERT_TRUE(session.Open()) << "the dialog waits for the listing";
  ASSERT_TRUE(WhileRunning(session.program, [&] { return folder.Listings() > 0; }));
  ClickControl(::GetDlgItem(session.dialog, kIdCommandCancel));
  EXPECT_TRUE(session.program.WaitForEnd());
}

TEST(StalledListingDialog, AnswersWhileAFolderOpenedFromItsListStallsAndOkSavesThatFolder) {
  const StallingFolder folder(L"dialog-subfolder");
  if (!folder.unavailable().empty()) GTEST_SKIP() << folder.unavailable();
  WriteSolidBmp(folder.source() + L"\\a.bmp", 64, 48, kRed);
  ASSERT_TRUE(::CreateDirectoryW((folder.source() + L"\\more").c_str(), nullptr));
  WriteSolidBmp(folder.source() + L"\\more\\big.jpg", 1000, 500, kRed);  // a listed size would warn
  folder.StallListing(L"more");
  StoreSettings(L"5", L"1", folder.path(), L"1");
  SettingsDialogSession session;
  ASSERT_TRUE(session.Open());
  const HWND dialog = session.dialog, dir1 = ::GetDlgItem(dialog, kIdDir1), file1 = ::GetDlgItem(dialog, kIdFile1);
  ASSERT_TRUE(WhileRunning(session.program, [&] { return ListTexts(file1) == std::vector<std::wstring>{L"a.bmp"}; }));

  const std::vector<std::wstring> rows = ListTexts(dir1);
  ClickListRow(dir1, static_cast<int>(rows.size()) - 1);
  ASSERT_TRUE(WhileRunning(session.program, [&] { return SelectedListText(dir1) == L"more"; }));
  PressKey(VK_RETURN);
  ASSERT_TRUE(WhileRunning(session.program, [&] { return folder.Listings(L"more") > 0; }));
  ClickControl(::GetDlgItem(dialog, kIdOption1Index2));
  EXPECT_TRUE(WhileRunning(session.program, [&] { return CheckedOptions(dialog).front() == kIdOption1Index2; }))
      << "the dialog answers during the listing";
  EXPECT_EQ(ListTexts(file1), std::vector<std::wstring>{L"a.bmp"}) << "the file list waits for the listing";

  ClickControl(::GetDlgItem(dialog, kIdCommandOK));
  EXPECT_TRUE(session.program.WaitForEnd()) << "OK never waits for the listing, nor warns of its files";
  EXPECT_EQ(StoredSettings(), (std::vector<std::wstring>{L"5", L"2", folder.path() + L"\\more", L"1"}));
}

}  // namespace
}  // namespace lumiroll::e2e
