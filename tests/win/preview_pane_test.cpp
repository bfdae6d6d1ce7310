// The settings dialog's preview pane on its own: a chosen file painted once its decode comes to
// the pane's own window, and black once no file is chosen, whatever comes after.
#include "saver/config/win32/preview_pane.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>

#include "picture_test_files.h"
#include "platform/win32/handles.h"
#include "platform/win32/window.h"

namespace lumiroll {
namespace {

TEST(PreviewPane, PaintsTheChosenFileOnceDecodedAndStaysBlackOnceNoneIsChosen) {
  test::ScratchFolder folder;
  const std::wstring path = folder.Write(L"red.jpg", test::EncodeJpeg(64, 48, [](int, int) {
                                           return test::Rgb{200, 40, 40};
                                         }));
  UniqueWindow host(::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(host);
  PreviewPane pane;
  ASSERT_TRUE(pane.Create(host.get(), 7, {10, 10, 164, 125}, PreviewMode::kFitted));
  EXPECT_EQ(::GetDlgCtrlID(pane.hwnd()), 7);
  const auto centre = [&] { return pane.PixelAt(pane.ScaleWidth() / 2, pane.ScaleHeight() / 2).value_or(0xFFFFFFFF); };
  EXPECT_EQ(centre(), 0u) << "black before any file";

  pane.ShowFile(0, path);
  // The decode comes as a message to the pane; a minute is a liveness limit only.
  const ULONGLONG end = ::GetTickCount64() + 60000;
  while (centre() == 0 && ::GetTickCount64() < end) {
    WaitForEvents(1000);
    (void)ProcessPendingEvents();
  }
  const std::uint32_t shown = centre();
  EXPECT_GT(shown >> 16 & 0xFF, 150u) << std::hex << shown;
  EXPECT_LT(shown >> 8 & 0xFF, 100u) << std::hex << shown;

  pane.ShowNothing();
  EXPECT_EQ(centre(), 0u);
  // The pictures decoded for the file are still held: neither a mode change nor a new size shows them.
  pane.ChangeMode(PreviewMode::kActualSize);
  EXPECT_EQ(centre(), 0u) << "a picture of a file no longer chosen";
  pane.MoveTo({0, 0, 308, 230});
  EXPECT_EQ(centre(), 0u) << "a picture of a file no longer chosen";
}

}  // namespace
}  // namespace lumiroll
