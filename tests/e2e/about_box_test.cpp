// The About box opened from the settings dialog: layout, one box at most, the addresses copied
// to the clipboard, Enter, and the dialog beside it.
#include <gtest/gtest.h>

#include "dialog_helpers.h"
#include "saver/config/about_box_layout.h"
#include "saver/config/settings_dialog_layout.h"

namespace lumiroll::e2e {
namespace {

std::vector<HWND> AboutBoxesOf(DWORD processId) {
  std::vector<HWND> boxes;
  for (HWND window : VisibleWindowsOf(processId))
    if (WindowTitle(window) == L"About Lumiroll") boxes.push_back(window);
  return boxes;
}

struct AboutSession {
  SettingsDialogSession settings;
  HWND about = nullptr;

  bool Open() {
    StoreSettings(L"5", L"1", L"0", L"1");
    if (!settings.Open()) return false;
    ClickControl(::GetDlgItem(settings.dialog, kIdCommandAbout));
    about = settings.program.WaitForWindow(L"About Lumiroll");
    return about && WaitForPainted(settings.program, ::GetDlgItem(about, kIdCommand3));
  }
};

TEST(AboutBox, OpensOnceWithItsLayout) {
  AboutSession session;
  ASSERT_TRUE(session.Open());
  HWND about = session.about;
  EXPECT_EQ(ClientSize(about), (SIZE{483, 204}));
  EXPECT_TRUE(IsCentred(about));
  EXPECT_FALSE(::GetWindowLongW(about, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  const struct {
    int id;
    const wchar_t* text;
    RECT expected;
  } rows[] = {
      {kIdLabel1, L"Lumiroll Screen Saver", {91, 14, 316, 43}},
      {kIdLabel3About, L"Version 2.0 released 01/01/98", {161, 49, 316, 64}},
      {kIdLabel5, L"Email:", {182, 77, 211, 92}},
      {kIdLabel22, L"info@example.com", {217, 77, 316, 92}},
      {kIdLabel10, L"Web:", {119, 91, 155, 113}},
      {kIdLabel23, L"www.example.com/lumiroll", {154, 91, 316, 113}},
      {kIdCommand3, L"OK", {154, 168, 232, 190}},
      {kIdImage1, L"", {329, 13, 469, 191}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.text)));
    HWND control = ::GetDlgItem(about, row.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ClientRectOf(about, control), row.expected);
    if (row.id != kIdImage1) {
      EXPECT_EQ(ControlText(control), row.text);
    }
  }
  EXPECT_EQ(TabOrder(about, {kIdLabel22, kIdLabel23, kIdCommand3, kIdImage1}), (std::vector<int>{kIdCommand3}))
      << "OK is the only control that takes the focus";
  EXPECT_EQ(FocusOf(about), ::GetDlgItem(about, kIdCommand3));
  SettingsDialogSession::SaveScreenshot(L"about-box");

  // About again brings the open box forward instead of making a second one.
  ::SetWindowPos(session.settings.dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ClickControl(::GetDlgItem(session.settings.dialog, kIdCommandAbout));
  // A check that nothing happens: a stated span after the click was taken.
  EXPECT_FALSE(WaitUntil([&] { return AboutBoxesOf(session.settings.program.id()).size() > 1; }, 500));
  EXPECT_EQ(AboutBoxesOf(session.settings.program.id()), (std::vector<HWND>{about}));
}

TEST(AboutBox, AClickOnAnAddressCopiesExactlyItsText) {
  AboutSession session;
  ASSERT_TRUE(session.Open());
  const DWORD id = session.settings.program.id();
  const struct {
    int label;
    const wchar_t* copied;
    const wchar_t* message;
  } rows[] = {
      {kIdLabel22, L"info@example.com",
       L"The email address has been copied to your clipboard.\n"
       L"You can now paste (CTRL-v) the address in your email program."},
      {kIdLabel23, L"www.example.com/lumiroll",
       L"The web page address has been copied to your clipboard.\n"
       L"You can now paste (CTRL-v) the address in your internet browser."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.copied)));
    PutOnClipboard(L"something else");
    ClickControl(::GetDlgItem(session.about, row.label));
    HWND box = session.settings.program.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ReadClipboardText(), row.copied) << "on the clipboard when the message shows";
    const auto content = ReadMessageBox(box);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->title, L"Copied to Clipboard");
    EXPECT_EQ(content->text, row.message);
    PressButton(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }, kLivenessMs));
  }
  // The captions beside the addresses copy nothing and show nothing.
  PutOnClipboard(L"untouched");
  ClickControl(::GetDlgItem(session.about, kIdLabel5));
  ClickControl(::GetDlgItem(session.about, kIdLabel10));
  EXPECT_TRUE(NoMessageBoxWithin(id, 1000));
  EXPECT_EQ(ReadClipboardText(), L"untouched");
}

TEST(AboutBox, EnterClosesItAndTheDialogStaysUsableBesideIt) {
  AboutSession session;
  ASSERT_TRUE(session.Open());
  HWND dialog = session.settings.dialog;
  // The dialog works while the box is open.
  ClickControl(::GetDlgItem(dialog, kIdOption1Index2));
  EXPECT_TRUE(WaitUntil([&] { return CheckedOptions(dialog).front() == kIdOption1Index2; }, kLivenessMs));
  ASSERT_TRUE(::IsWindowVisible(session.about));

  ClickControl(::GetDlgItem(session.about, kIdImage1));  // the box takes the keyboard again
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(session.about); }, kLivenessMs)) << "Enter presses OK";
  EXPECT_TRUE(session.settings.IsRunning());
  EXPECT_EQ(CheckedOptions(dialog), (std::vector<int>{kIdOption1Index2, kIdOption2Index1})) << "choices kept";
}

TEST(AboutBox, KeepsTheProgramRunningWhenTheDialogIsClosedByItsCloseBox) {
  AboutSession session;
  ASSERT_TRUE(session.Open());
  ::PostMessageW(session.settings.dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(session.settings.dialog); }, kLivenessMs));
  EXPECT_TRUE(session.settings.program.StaysRunningFor(500)) << "a stated span after the dialog went";
  PressButton(session.about, kIdCommand3);
  EXPECT_TRUE(session.settings.program.WaitForExit(5000));
  EXPECT_EQ(StoredSettings(), (std::vector<std::wstring>{L"5", L"1", L"0", L"1"})) << "nothing saved";
}

}  // namespace
}  // namespace lumiroll::e2e
