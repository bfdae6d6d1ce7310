// The settings dialog and the About box at the system's DPI (scripts/test.sh runs these at 144
// and 192 too): client areas and controls scaled from the layout tables, no text clipped, the
// artwork drawn for the DPI rather than enlarged.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <span>

#include "dialog_helpers.h"
#include "platform/dialog_layout.h"
#include "saver/config/about_box_layout.h"
#include "saver/config/settings_dialog_layout.h"

namespace lumiroll::e2e {
namespace {

UINT Dpi() { return ::GetDpiForSystem(); }

int ScaledEdge(int at96) { return ::MulDiv(at96, static_cast<int>(Dpi()), 96); }

// Each control's rectangle in the client area at 96 DPI, worked out by hand from the table (a
// frame's children lie at its left and top plus their own), and each edge scaled on its own,
// rounded as MulDiv rounds.
struct At96 {
  std::wstring_view name;
  RECT rect;
};
constexpr At96 kSettingsDialogAt96[] = {
    {L"Frame3", {12, 6, 352, 223}},           {L"Dir1", {24, 24, 178, 180}},
    {L"Drive1", {24, 189, 178, 210}},         {L"File1", {186, 23, 340, 211}},
    {L"Frame1", {12, 237, 118, 301}},         {L"Option1(1)", {21, 255, 91, 274}},
    {L"Option1(2)", {21, 276, 94, 295}},      {L"Frame2", {129, 237, 235, 301}},
    {L"Option2(1)", {138, 255, 208, 274}},    {L"Option2(2)", {138, 276, 199, 295}},
    {L"Frame4", {246, 237, 352, 286}},        {L"Label3", {255, 258, 301, 277}},
    {L"Text1", {306, 255, 340, 274}},         {L"CommandOK", {472, 223, 550, 245}},
    {L"CommandCancel", {472, 251, 550, 273}}, {L"CommandAbout", {472, 279, 550, 301}},
    {L"Picture0", {366, 12, 550, 181}},       {L"Picture1", {381, 27, 535, 142}},
};
constexpr At96 kAboutBoxAt96[] = {
    {L"Label1", {91, 14, 316, 43}},      {L"Label3", {161, 49, 316, 64}},   {L"Label5", {182, 77, 211, 92}},
    {L"Label22", {217, 77, 316, 92}},    {L"Label10", {119, 91, 155, 113}}, {L"Label23", {154, 91, 316, 113}},
    {L"Command3", {154, 168, 232, 190}}, {L"Image1", {329, 13, 469, 191}},
};

void ExpectScaledFromTable(HWND dialog, std::span<const ControlLayout> table, std::span<const At96> expected, int width,
                           int height) {
  EXPECT_EQ(ClientSize(dialog), (SIZE{ScaledEdge(width), ScaledEdge(height)}));
  EXPECT_TRUE(IsCentred(dialog));
  EXPECT_EQ(table.size(), expected.size()) << "a control without its expected rectangle";
  for (const ControlLayout& row : table) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.name)));
    const auto at96 = std::find_if(expected.begin(), expected.end(), [&](const At96& e) { return e.name == row.name; });
    ASSERT_NE(at96, expected.end());
    HWND control = ::GetDlgItem(dialog, row.id);
    ASSERT_NE(control, nullptr);
    const RECT& r = at96->rect;
    EXPECT_EQ(ClientRectOf(dialog, control),
              (RECT{ScaledEdge(r.left), ScaledEdge(r.top), ScaledEdge(r.right), ScaledEdge(r.bottom)}));
  }
}

// A few rectangles worked out by hand, so that a wrong scaling cannot agree with itself.
void ExpectKnownRectangles(HWND dialog, const std::map<UINT, std::vector<std::pair<int, RECT>>>& known) {
  const auto rows = known.find(Dpi());
  if (rows == known.end()) return;
  for (const auto& [id, rect] : rows->second) {
    SCOPED_TRACE(testing::Message() << "control " << id);
    EXPECT_EQ(ClientRectOf(dialog, ::GetDlgItem(dialog, id)), rect);
  }
}

bool ColumnIsPlain(const Screenshot& shot, int x, int top, int bottom) {
  for (int y = top; y < bottom; ++y)
    if (shot.At(x, y) != shot.At(x, top)) return false;
  return true;
}

// Text cut off by its control leaves ink on the edge it runs over: the left edge of
// right-aligned text, the right edge of left-aligned text, either side inside a button.
void ExpectNoTextClipped(HWND dialog, std::span<const ControlLayout> table) {
  const Screenshot shot = TakeScreenshot();
  const int inset = ScaledEdge(6);  // a button's border and focus rectangle
  for (const ControlLayout& row : table) {
    RECT r;
    ::GetWindowRect(::GetDlgItem(dialog, row.id), &r);
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.name)));
    switch (row.kind) {
      case LayoutKind::RightLabel:
      case LayoutKind::LinkLabel: EXPECT_TRUE(ColumnIsPlain(shot, r.left, r.top, r.bottom)); break;
      case LayoutKind::Label:
      case LayoutKind::OptionButton: EXPECT_TRUE(ColumnIsPlain(shot, r.right - 1, r.top, r.bottom)); break;
      case LayoutKind::Button:
      case LayoutKind::DefaultButton:
        EXPECT_TRUE(ColumnIsPlain(shot, r.left + inset, r.top + inset, r.bottom - inset));
        EXPECT_TRUE(ColumnIsPlain(shot, r.right - 1 - inset, r.top + inset, r.bottom - inset));
        break;
      default: break;
    }
  }
}

// Share of horizontally neighbouring pixel pairs that differ, counted separately for pairs
// starting at even and at odd columns. A picture enlarged by pixel doubling differs only
// across pairs starting at odd columns.
double DifferingEvenPairs(const Screenshot& shot, const RECT& area) {
  int differing = 0, pairs = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x + 1 < area.right; x += 2, ++pairs)
      differing += shot.At(x, y) != shot.At(x + 1, y) ? 1 : 0;
  return pairs ? static_cast<double>(differing) / pairs : 0;
}

TEST(HighDpi, SettingsDialogIsScaledFromItsTableWithNoTextClipped) {
  StoreSettings(L"5", L"1", L"0", L"1");
  SettingsDialogSession session;
  ASSERT_TRUE(session.Open());
  ExpectScaledFromTable(session.dialog, SettingsDialogLayout(), kSettingsDialogAt96, kSettingsDialogWidth,
                        kSettingsDialogHeight);
  ExpectKnownRectangles(session.dialog, {
                                            {144, {{kIdDrive1, {36, 284, 267, 315}}, {kIdText1, {459, 383, 510, 411}}}},
                                            {192, {{kIdDrive1, {48, 378, 356, 420}}, {kIdText1, {612, 510, 680, 548}}}},
                                        });
  ExpectNoTextClipped(session.dialog, SettingsDialogLayout());
  session.SaveScreenshot(L"settings-dialog-" + std::to_wstring(Dpi()));
}

TEST(HighDpi, AboutBoxIsScaledFromItsTableWithEveryLabelWholeAndItsLogoCrisp) {
  StoreSettings(L"5", L"1", L"0", L"1");
  SettingsDialogSession settings;
  ASSERT_TRUE(settings.Open());
  ClickControl(::GetDlgItem(settings.dialog, kIdCommandAbout));
  HWND about = settings.program.WaitForWindow(L"About Lumiroll");
  ASSERT_NE(about, nullptr);
  ASSERT_TRUE(WaitForPainted(settings.program, ::GetDlgItem(about, kIdCommand3)));
  ExpectScaledFromTable(about, AboutBoxLayout(), kAboutBoxAt96, kAboutBoxWidth, kAboutBoxHeight);
  ExpectKnownRectangles(about, {
                                   {144, {{kIdLabel5, {273, 116, 317, 138}}, {kIdLabel23, {231, 137, 474, 170}}}},
                                   {192, {{kIdLabel5, {364, 154, 422, 184}}, {kIdLabel23, {308, 182, 632, 226}}}},
                               });
  ExpectNoTextClipped(about, AboutBoxLayout());
  RECT logo;
  ::GetWindowRect(::GetDlgItem(about, kIdImage1), &logo);
  EXPECT_GT(DifferingEvenPairs(TakeScreenshot(), logo), 0.02) << "not a 96-DPI bitmap doubled";
  SettingsDialogSession::SaveScreenshot(L"about-box-" + std::to_wstring(Dpi()));
}

}  // namespace
}  // namespace lumiroll::e2e
