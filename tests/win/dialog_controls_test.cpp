// The dialog stack against real Win32 controls and fonts: text that must show whole, lists
// driven through their typed handles, a drop-down list's closed height at any DPI.
#include <windows.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/win32/controls.h"
#include "platform/win32/dialog_controls.h"
#include "platform/win32/handles.h"

namespace lumiroll {
namespace {

struct Metrics {
  int em, textWidth, weight;
};

Metrics Measure(HFONT font, std::wstring_view text) {
  ScopedGetDc screen(nullptr);
  ScopedSelect selected(screen.get(), font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(screen.get(), &metrics);
  SIZE size{};
  ::GetTextExtentPoint32W(screen.get(), text.data(), static_cast<int>(text.size()), &size);
  return {static_cast<int>(metrics.tmHeight - metrics.tmInternalLeading), static_cast<int>(size.cx),
          static_cast<int>(metrics.tmWeight)};
}

TEST(DialogFonts, TextShowsWholeAtItsOwnSizeWhateverFaceStandsIn) {
  const struct {
    std::wstring_view text;
    int width;
    float points;
    UINT dpi;
  } rows[] = {
      {L"Email:", 28, 8.25f, 96},   // fits Windows' own face
      {L"Email:", 57, 8.25f, 192},  // no look-alike fits unless condensed
      {L"www.example.com/lumiroll", 161, 8.25f, 96},
      {L"www.example.com/lumiroll", 100, 8.25f, 96},  // far too narrow: condensed much
      {L"Lumiroll Screen Saver", 224, 13.5f, 96},
      {L"Lumiroll Screen Saver", 449, 13.5f, 192},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << std::string(row.text.begin(), row.text.end()) << " in " << row.width << " at "
                                    << row.dpi);
    const UniqueFont font = CreateFontForText(row.text, row.width, {.points = row.points}, row.dpi);
    ASSERT_TRUE(font);
    const Metrics metrics = Measure(font.get(), row.text);
    EXPECT_NEAR(metrics.em, std::lround(row.points * static_cast<float>(row.dpi) / 72.0f), 1) << "its own size";
    EXPECT_LE(metrics.textWidth, row.width);
  }
}

TEST(DialogFonts, EveryRequestGetsAFontOfItsSizeAndWeight) {
  for (UINT dpi : {96u, 144u, 192u}) {
    for (const DialogFontRequest& request : {DialogFontRequest{}, DialogFontRequest{.points = 9.75f, .bold = true},
                                             DialogFontRequest{.points = 48, .face = L"Arial", .bold = true}}) {
      const UniqueFont font = CreateDialogFont(request, dpi);
      ASSERT_TRUE(font);
      const Metrics metrics = Measure(font.get(), L"x");
      EXPECT_NEAR(metrics.em, std::lround(request.points * static_cast<float>(dpi) / 72.0f), 1)
          << request.points << " points at " << dpi;
      EXPECT_EQ(metrics.weight >= FW_SEMIBOLD, request.bold) << request.points << " points at " << dpi;
    }
  }
}

// A plain top-level window to hold controls.
class ControlHost : public testing::Test {
 protected:
  void SetUp() override {
    window_.reset(::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(window_);
  }
  HWND host() const { return window_.get(); }

 private:
  UniqueWindow window_;
};

TEST_F(ControlHost, ListsFillSelectAndReportTheirSelection) {
  constexpr int kList = 10, kCombo = 11;
  ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | LBS_NOTIFY, 0, 0, 100, 100, host(), reinterpret_cast<HMENU>(kList),
                    nullptr, nullptr);
  ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 200, host(),
                    reinterpret_cast<HMENU>(kCombo), nullptr, nullptr);
  const std::vector<std::wstring> rows{L"c: [System]", L"Été 2024", L"写真"};
  for (const ListControl& list : {ListControl(host(), kList, ListControl::Kind::ListBox),
                                  ListControl(host(), kCombo, ListControl::Kind::ComboBox)}) {
    SCOPED_TRACE(list.id());
    list.Fill(rows);
    EXPECT_EQ(list.Selected(), std::nullopt) << "nothing selected yet";
    list.Select(2);
    EXPECT_EQ(list.Selected(), 2u);
    list.Fill(std::vector<std::wstring>{L"only"});
    EXPECT_EQ(list.Selected(), std::nullopt) << "a new filling forgets the old selection";
    list.Fill({});
    list.Select(0);
    EXPECT_EQ(list.Selected(), std::nullopt) << "an empty list has nothing to select";
  }
}

TEST_F(ControlHost, EditBoxHoldsItsTextWithinItsLimit) {
  constexpr int kEdit = 12;
  ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 100, 20, host(), reinterpret_cast<HMENU>(kEdit), nullptr, nullptr);
  const EditBox edit(host(), kEdit);
  edit.SetText(L"Été");
  EXPECT_EQ(edit.Text(), L"Été");
  edit.LimitText(2);
  ::SendMessageW(edit.hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  for (wchar_t key : {L'9', L'.', L'7'}) ::SendMessageW(edit.hwnd(), WM_CHAR, key, 0);
  EXPECT_EQ(edit.Text(), L"9.") << "typing stops at the limit";
}

TEST(ControlCallbacks, RunOnlyForTheirControlAndNotification) {
  ControlCallbacks callbacks;
  std::vector<int> ran;
  callbacks.On(5, BN_CLICKED, [&] { ran.push_back(1); });
  callbacks.On(5, LBN_DBLCLK, [&] { ran.push_back(2); });
  callbacks.On(6, BN_CLICKED, [&] { ran.push_back(3); });
  EXPECT_TRUE(callbacks.Dispatch(5, LBN_DBLCLK));
  EXPECT_TRUE(callbacks.Dispatch(6, BN_CLICKED));
  EXPECT_FALSE(callbacks.Dispatch(7, BN_CLICKED));
  EXPECT_FALSE(callbacks.Dispatch(6, LBN_SELCHANGE));
  EXPECT_EQ(ran, (std::vector<int>{2, 3}));
}

TEST_F(ControlHost, ADropDownListIsExactlyItsRowsHeightAtEveryDpi) {
  static constexpr ControlLayout kTable[] = {
      {L"Drive1", LayoutKind::DriveList, L"", L"", 24, 189, 154, 21, true, 20},
  };
  // Its bottom edge scaled less its top edge, each rounded on its own (120 DPI: 263 - 236).
  const struct {
    UINT dpi;
    int height;
  } rows[] = {{96, 21}, {120, 27}, {144, 31}, {192, 42}};
  for (const auto [dpi, height] : rows) {
    SCOPED_TRACE(dpi);
    DialogControls controls(host(), kTable);
    controls.Create(dpi);
    RECT closed;
    ::GetWindowRect(controls.Control(20), &closed);
    EXPECT_EQ(closed.bottom - closed.top, height);
    controls.LayOut(dpi == 96 ? 192 : 96);  // and again after a DPI change
    ::GetWindowRect(controls.Control(20), &closed);
    EXPECT_EQ(closed.bottom - closed.top, dpi == 96 ? 42 : 21);
    ::DestroyWindow(controls.Control(20));
  }
}

}  // namespace
}  // namespace lumiroll
