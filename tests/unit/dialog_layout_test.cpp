// What the folder and drive lists show, and the dialogs' layout tables.
#include <gtest/gtest.h>

#include <set>

#include "saver/config/about_box_layout.h"
#include "saver/config/folder_rows.h"
#include "saver/config/settings_dialog_layout.h"

namespace lumiroll {
namespace {

struct Row {
  std::wstring text;
  int level;
  std::wstring path;
  bool open;
  friend bool operator==(const Row&, const Row&) = default;
  friend void PrintTo(const Row& row, std::ostream* out) {
    *out << testing::PrintToString(row.text) << "@" << row.level << " " << testing::PrintToString(row.path)
         << (row.open ? " open" : "");
  }
};

std::vector<Row> Rows(std::wstring_view folder, const std::vector<FolderEntry>& entries) {
  std::vector<Row> rows;
  for (const FolderRow& row : FolderRows(folder, entries)) rows.push_back({row.text, row.level, row.path, row.open});
  return rows;
}

FolderEntry Folder(const wchar_t* name, bool hidden = false, bool system = false) { return {name, true, hidden, system}; }
FolderEntry File(const wchar_t* name) { return {name, false, false, false}; }

TEST(FolderRows, PathFromTheRootThenSubfoldersInNameOrder) {
  const std::vector<FolderEntry> entries{Folder(L"."),     Folder(L".."),         File(L"a.jpg"),
                                         Folder(L"zebra"), Folder(L"Été 2024"),   Folder(L"alpha"),
                                         Folder(L"Hidden", true), Folder(L"Sys", false, true)};
  EXPECT_EQ(Rows(L"C:\\Users\\me", entries), (std::vector<Row>{
                                                 {L"C:\\", 0, L"C:\\", false},
                                                 {L"Users", 1, L"C:\\Users", false},
                                                 {L"me", 2, L"C:\\Users\\me", true},
                                                 {L"alpha", 3, L"C:\\Users\\me\\alpha", false},
                                                 {L"zebra", 3, L"C:\\Users\\me\\zebra", false},
                                                 {L"Été 2024", 3, L"C:\\Users\\me\\Été 2024", false},
                                             }));
}

TEST(FolderRows, ADriveRootIsOneRowAndItsSubfoldersHangBelowIt) {
  EXPECT_EQ(Rows(L"D:\\", {Folder(L"b"), Folder(L"A")}), (std::vector<Row>{
                                                            {L"D:\\", 0, L"D:\\", true},
                                                            {L"A", 1, L"D:\\A", false},
                                                            {L"b", 1, L"D:\\b", false},
                                                        }));
}

TEST(FolderRows, NetworkShareIsTheRoot) {
  EXPECT_EQ(Rows(L"\\\\server\\share\\photos", {}), (std::vector<Row>{
                                                         {L"\\\\server\\share\\", 0, L"\\\\server\\share\\", false},
                                                         {L"photos", 1, L"\\\\server\\share\\photos", true},
                                                     }));
}

TEST(DriveList, LetterWithLabelWhenThereIsOne) {
  EXPECT_EQ(DriveListText(L'C', L"System"), L"c: [System]");
  EXPECT_EQ(DriveListText(L'z', L""), L"z:");
}

// The containers a layout's controls must lie in, with their sizes.
void ExpectInsideParents(std::span<const ControlLayout> table, int dialogWidth, int dialogHeight) {
  std::set<int> ids;
  for (const ControlLayout& control : table) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(control.name)));
    EXPECT_TRUE(ids.insert(control.id).second) << "id used twice";
    const ControlLayout* parent = FindControl(table, control.parent);
    if (!control.parent.empty()) {
      ASSERT_NE(parent, nullptr);
    }
    const int width = parent ? parent->width : dialogWidth, height = parent ? parent->height : dialogHeight;
    EXPECT_GE(control.left, 0);
    EXPECT_GE(control.top, 0);
    EXPECT_LE(control.left + control.width, width);
    EXPECT_LE(control.top + control.height, height);
  }
}

TEST(DialogLayouts, EveryControlLiesInsideItsFrameAndTheDialog) {
  ExpectInsideParents(SettingsDialogLayout(), kSettingsDialogWidth, kSettingsDialogHeight);
  ExpectInsideParents(AboutBoxLayout(), kAboutBoxWidth, kAboutBoxHeight);
}

TEST(DialogLayouts, FrameOffsetsAddUp) {
  const auto table = SettingsDialogLayout();
  EXPECT_EQ(ClientRectangle(table, *FindControl(table, L"File1")), (LayoutRectangle{186, 23, 154, 188}));
  EXPECT_EQ(ClientRectangle(table, *FindControl(table, L"Text1")), (LayoutRectangle{306, 255, 34, 19}));
  EXPECT_EQ(ClientRectangle(table, *FindControl(table, L"CommandOK")), (LayoutRectangle{472, 223, 78, 22}));
}

TEST(DialogLayouts, AboutBoxLabelsEndOnOneRightEdgeAtEveryDpi) {
  const auto table = AboutBoxLayout();
  for (unsigned dpi : {96u, 120u, 144u, 168u, 192u, 288u}) {
    for (const ControlLayout& control : table) {
      if (control.kind != LayoutKind::RightLabel && control.kind != LayoutKind::LinkLabel) continue;
      if (control.name == L"Label5" || control.name == L"Label10") continue;  // captions left of the addresses
      SCOPED_TRACE(testing::PrintToString(std::wstring(control.name)));
      const LayoutRectangle r = ScaledClientRectangle(table, control, dpi);
      EXPECT_EQ(r.left + r.width, ScaleForDpi(316, dpi)) << dpi;
    }
  }
}

TEST(DpiScaling, RoundsToTheNearestPixelWithHalvesAwayFromZero) {
  const struct {
    int pixels;
    unsigned dpi;
    int expected;
  } rows[] = {
      {0, 144, 0},     {1, 144, 2},     {3, 144, 5},       {-1, 144, -2},   {-3, 144, -5},
      {483, 144, 725}, {169, 144, 254}, {29, 120, 36},     {7, 120, 9},     {5, 72, 4},
      {1, 96, 1},      {204, 192, 408}, {32767, 192, 65534}, {-32768, 144, -49152},
  };
  for (const auto& row : rows)
    EXPECT_EQ(ScaleForDpi(row.pixels, row.dpi), row.expected) << row.pixels << " at " << row.dpi;
}

TEST(DpiScaling, ControlsThatTouchAt96StillTouch) {
  // Sizes rounded on their own would leave a gap or an overlap at 144 DPI between these two.
  constexpr ControlLayout table[] = {
      {L"A", LayoutKind::Label, L"", L"", 1, 1, 3, 3},
      {L"B", LayoutKind::Label, L"", L"", 4, 4, 3, 3},
  };
  for (unsigned dpi : {120u, 144u, 168u}) {
    const LayoutRectangle a = ScaledClientRectangle(table, table[0], dpi);
    const LayoutRectangle b = ScaledClientRectangle(table, table[1], dpi);
    EXPECT_EQ(a.left + a.width, b.left) << dpi;
    EXPECT_EQ(a.top + a.height, b.top) << dpi;
  }
}

TEST(DialogPlacement, CentredOnTheAreaButNeverAboveOrLeftOfIt) {
  const struct {
    LayoutRectangle area;
    int width, height;
    LayoutRectangle expected;
  } rows[] = {
      {{0, 0, 1024, 768}, 500, 300, {262, 234, 500, 300}},
      {{0, 0, 1024, 768}, 501, 301, {261, 233, 501, 301}},
      {{-800, 100, 800, 600}, 400, 200, {-600, 300, 400, 200}},  // a monitor left of the primary
      {{0, -600, 1024, 600}, 400, 200, {312, -400, 400, 200}},   // and one above it
      {{0, 0, 1024, 768}, 1200, 900, {0, 0, 1200, 900}},         // larger: the caption stays reachable
      {{0, 0, 1024, 768}, 1024, 768, {0, 0, 1024, 768}},
  };
  for (const auto& row : rows) {
    const LayoutRectangle placed = CentredIn(row.area, row.width, row.height);
    EXPECT_EQ(placed, row.expected) << placed.left << ", " << placed.top;
  }
}

TEST(Artwork, TheScaleNearestTheDpiWithTiesToTheLarger) {
  const struct {
    unsigned dpi;
    int percent;
  } rows[] = {{72, 100}, {96, 100}, {119, 100}, {120, 150}, {144, 150}, {167, 150}, {168, 200}, {192, 200}, {384, 200}};
  for (const auto& row : rows) EXPECT_EQ(ArtworkScale(row.dpi), row.percent) << row.dpi;
  EXPECT_EQ(ArtworkResource(220, 96), 220);
  EXPECT_EQ(ArtworkResource(220, 144), 221);
  EXPECT_EQ(ArtworkResource(220, 192), 222);
}

}  // namespace
}  // namespace lumiroll
