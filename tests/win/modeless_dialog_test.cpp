// The modeless dialog base against real windows: laid out again at a new DPI, the focus given
// back to the control that had it, the buttons' callbacks run.
#include "platform/win32/modeless_dialog.h"

#include <windows.h>
#include <gtest/gtest.h>

#include "platform/win32/controls.h"
#include "platform/win32/handles.h"

namespace lumiroll {
namespace {

constexpr int kFirst = 10, kSecond = 11;
constexpr ControlLayout kTable[] = {
    {L"First", LayoutKind::Button, L"One", L"", 10, 10, 70, 22, true, kFirst},
    {L"Second", LayoutKind::Button, L"Two", L"", 10, 40, 70, 22, true, kSecond},
};

class TwoButtons final : public ModelessDialog {
 public:
  TwoButtons()
      : ModelessDialog(L"LumirollTwoButtonsTest",
                       {.caption = L"Two buttons", .clientWidth = 120, .clientHeight = 80, .controls = kTable}) {}
  bool Open() {
    if (!Create(nullptr)) return false;
    Button(hwnd(), kSecond).OnClick(Callbacks(), [this] { ++secondPressed; });
    Show();
    return true;
  }
  int dpiChanges = 0, secondPressed = 0;

 protected:
  [[nodiscard]] HWND FirstFocus() const override { return Control(kFirst); }
  void OnDpiChanged() override { ++dpiChanges; }
};

SIZE ClientSize(HWND window) {
  RECT r;
  ::GetClientRect(window, &r);
  return {r.right, r.bottom};
}

RECT ClientRectOf(HWND dialog, HWND control) {
  RECT r;
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST(ModelessDialog, ADpiChangeSizesTheClientAreaAndLaysTheControlsOutAgain) {
  TwoButtons dialog;
  ASSERT_TRUE(dialog.Open());
  const struct {
    UINT dpi;
    int clientWidth;
    RECT second;
  } rows[] = {{192, 240, {20, 80, 160, 124}}, {144, 180, {15, 60, 120, 93}}, {96, 120, {10, 40, 80, 62}}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.dpi);
    RECT suggested{40, 30, 40 + 400, 30 + 300};
    ::SendMessageW(dialog.hwnd(), WM_DPICHANGED, MAKEWPARAM(row.dpi, row.dpi), reinterpret_cast<LPARAM>(&suggested));
    // Only the width: Wine keeps the caption at the system's DPI, so the frame made for the new
    // one leaves the client area taller (on Windows, docs/windows-checklist.md 5.5).
    EXPECT_EQ(ClientSize(dialog.hwnd()).cx, row.clientWidth);
    RECT window;
    ::GetWindowRect(dialog.hwnd(), &window);
    EXPECT_EQ(window.left, 40) << "at the place suggested";
    EXPECT_EQ(window.top, 30);
    const RECT second = ClientRectOf(dialog.hwnd(), ::GetDlgItem(dialog.hwnd(), kSecond));
    EXPECT_TRUE(::EqualRect(&second, &row.second))
        << second.left << "," << second.top << "," << second.right << "," << second.bottom;
  }
  EXPECT_EQ(dialog.dpiChanges, 3);
}

TEST(ModelessDialog, TheFocusComesBackToTheControlThatHadIt) {
  TwoButtons dialog;
  ASSERT_TRUE(dialog.Open());
  HWND first = ::GetDlgItem(dialog.hwnd(), kFirst), second = ::GetDlgItem(dialog.hwnd(), kSecond);
  EXPECT_EQ(::GetFocus(), first) << "on opening";
  ::SetFocus(second);
  UniqueWindow other(::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                       ::GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(other);
  ::SetActiveWindow(other.get());
  EXPECT_NE(::GetFocus(), second) << "gone with the window";
  ::SetActiveWindow(dialog.hwnd());
  EXPECT_EQ(::GetFocus(), second);
  ::SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(kSecond, BN_CLICKED), reinterpret_cast<LPARAM>(second));
  EXPECT_EQ(dialog.secondPressed, 1);
}

}  // namespace
}  // namespace lumiroll
