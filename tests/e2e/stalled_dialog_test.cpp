// The settings dialog on a folder whose photographs stop answering (mirrored through FUSE): it
// opens, answers and ends whatever the preview's file does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "dialog_helpers.h"
#include "saver/config/about_box_layout.h"
#include "saver/config/settings_dialog_layout.h"
#include "stalling_folder.h"
#include "test_photos.h"

namespace lumiroll::e2e {
namespace {

constexpr std::uint32_t kRed = 0xC02020, kGreen = 0x20A040;

// The share of the pixels close to the colour.
double ShareOf(const std::vector<std::uint32_t>& pixels, std::uint32_t colour) {
  const auto channel = [](std::uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); };
  std::size_t matching = 0;
  for (const std::uint32_t pixel : pixels) {
    bool close = true;
    for (const int shift : {0, 8, 16}) close = close && std::abs(channel(pixel, shift) - channel(colour, shift)) < 40;
    matching += close;
  }
  return pixels.empty() ? 0.0 : static_cast<double>(matching) / static_cast<double>(pixels.size());
}

struct OpenAndCancel {
  std::optional<ULONGLONG> shownMs;  // from the start to the dialog on the screen
  std::optional<ULONGLONG> endedMs;  // from Cancel's click to the process gone
  bool previewBlack = false;
};

// "/c" on the stored settings, then Cancel. With nothing stalled the preview's picture is
// awaited; with the file stalled, its read (opensBefore: the file's opens before) is, and the
// preview is watched for a stated span after it.
OpenAndCancel TimeOpenAndCancel(const StallingFolder& folder, std::optional<int> opensBefore) {
  OpenAndCancel timing;
  const ULONGLONG start = ::GetTickCount64();
  SettingsDialogSession session;
  const HWND dialog = session.program.started() ? session.program.WaitForWindow(L"Lumiroll Settings") : nullptr;
  if (!dialog) return timing;
  timing.shownMs = ::GetTickCount64() - start;
  session.dialog = dialog;
  if (!opensBefore) {
    timing.previewBlack =
        !session.program.WaitUntil([&] { return session.PreviewShowsAPicture(); }, "the preview's picture");
  } else {
    (void)session.program.WaitUntil([&] { return folder.Opens(L"a.bmp") > *opensBefore; }, "the preview's read");
    timing.previewBlack = !WaitUntil([&] { return session.PreviewShowsAPicture(); }, 500);
  }
  const ULONGLONG click = ::GetTickCount64();
  ClickControl(::GetDlgItem(dialog, kIdCommandCancel));  // returns once the click is taken
  if (session.program.WaitForEnd()) timing.endedMs = ::GetTickCount64() - click;
  return timing;
}

TEST(StalledDialog, OpensAtOnceOnAStalledFirstFileAndCancelEndsIt) {
  const StallingFolder folder(L"dialog-opens");
  if (!folder.unavailable().empty()) GTEST_SKIP() << folder.unavailable();
  WriteSolidBmp(folder.source() + L"\\a.bmp", 200, 150, kRed);
  StoreSettings(L"5", L"1", folder.path(), L"1");
  const OpenAndCancel plain = TimeOpenAndCancel(folder, std::nullopt);
  ASSERT_TRUE(plain.endedMs) << "the dialog on the mirror, nothing stalled";
  EXPECT_FALSE(plain.previewBlack);

  folder.Stall(L"a.bmp");
  const int opensBefore = folder.Opens(L"a.bmp");
  const OpenAndCancel stalled = TimeOpenAndCancel(folder, opensBefore);
  ASSERT_TRUE(stalled.shownMs) << "the dialog never appeared";
  ASSERT_TRUE(stalled.endedMs) << "Cancel did not end the program";
  std::printf("settings dialog shown after %llu ms (nothing stalled: %llu ms); ended %llu ms after Cancel (%llu ms)\n",
              *stalled.shownMs, *plain.shownMs, *stalled.endedMs, *plain.endedMs);
  EXPECT_GT(folder.Opens(L"a.bmp"), opensBefore) << "the preview's read reached the stalled file";
  EXPECT_TRUE(stalled.previewBlack) << "the preview stays black while its file loads";
  // Waiting on the stalled read would take its 10 s: the margins leave room for a busy machine.
  EXPECT_LT(*stalled.shownMs, *plain.shownMs + 6000);
  EXPECT_LT(*stalled.endedMs, *plain.endedMs + 6000);
}

TEST(StalledDialog, EveryControlAnswersWhileThePreviewLoads) {
  const StallingFolder folder(L"dialog-controls");
  if (!folder.unavailable().empty()) GTEST_SKIP() << folder.unavailable();
  WriteSolidBmp(folder.source() + L"\\a.bmp", 200, 150, kRed);
  ASSERT_TRUE(::CreateDirectoryW((folder.source() + L"\\more").c_str(), nullptr));
  WriteSolidBmp(folder.source() + L"\\more\\c.bmp", 200, 150, kGreen);
  folder.Stall(L"a.bmp");
  StoreSettings(L"5", L"1", folder.path(), L"1");
  SettingsDialogSession session;
  ASSERT_TRUE(session.Open());
  HWND dialog = session.dialog, dir1 = ::GetDlgItem(dialog, kIdDir1), file1 = ::GetDlgItem(dialog, kIdFile1);

  ClickControl(::GetDlgItem(dialog, kIdOption1Index2));
  const auto& program = session.program;
  EXPECT_TRUE(program.WaitUntil([&] { return CheckedOptions(dialog).front() == kIdOption1Index2; }, "the option"));
  EXPECT_FALSE(session.PreviewShowsAPicture()) << "nothing has loaded: the preview stays black";
  ClickControl(::GetDlgItem(dialog, kIdCommandAbout));
  const HWND about = program.WaitForWindow(L"About Lumiroll");
  ASSERT_NE(about, nullptr);
  PressButton(about, kIdCommand3);

  // A newer selection, in another folder, replaces the one that stalls.
  const std::vector<std::wstring> rows = ListTexts(dir1);
  const auto more = std::find(rows.begin(), rows.end(), L"more");
  ASSERT_NE(more, rows.end());
  ClickListRow(dir1, static_cast<int>(more - rows.begin()));
  ASSERT_TRUE(program.WaitUntil([&] { return SelectedListText(dir1) == L"more"; }, "the row selected"));
  PressKey(VK_RETURN);
  ASSERT_TRUE(program.WaitUntil([&] { return ListTexts(file1) == std::vector<std::wstring>{L"c.bmp"}; }, "the files"));
  ASSERT_TRUE(program.WaitUntil([&] { return session.PreviewShowsAPicture(); }, "the preview's picture"));
  const double actualSizeShare = ShareOf(session.PreviewPixels(), kGreen);
  EXPECT_GT(actualSizeShare, 0.0);
  EXPECT_LT(actualSizeShare, 0.2) << "at actual size the picture takes its share of the screen";

  const int opens = folder.Opens(L"more/c.bmp");
  ClickControl(::GetDlgItem(dialog, kIdOption1Index1));
  EXPECT_TRUE(program.WaitUntil([&] { return ShareOf(session.PreviewPixels(), kGreen) > 0.5; }, "fitted"));
  EXPECT_EQ(folder.Opens(L"more/c.bmp"), opens) << "a size option repaints without reading the file again";
  session.SaveScreenshot(L"settings-dialog-beside-a-stalled-file");

  const int closed = folder.Closes(L"a.bmp");
  folder.Release(L"a.bmp");  // the older selection's result comes now, and is dropped
  ASSERT_TRUE(program.WaitUntil([&] { return folder.Closes(L"a.bmp") > closed; }, "the stalled read done"));
  // A check that nothing happens: a stated span after the read ended, the preview watched.
  EXPECT_FALSE(WaitUntil([&] { return ShareOf(session.PreviewPixels(), kRed) > 0.0; }, 1000)) << "red came";
  EXPECT_GT(ShareOf(session.PreviewPixels(), kGreen), 0.5);
  ClickControl(::GetDlgItem(dialog, kIdCommandCancel));
  EXPECT_TRUE(session.program.WaitForEnd());
}

}  // namespace
}  // namespace lumiroll::e2e
