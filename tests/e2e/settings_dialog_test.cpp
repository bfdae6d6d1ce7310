// The settings dialog ("/c"), driven from outside: layout, the stored values shown, the folder
// and file lists, the preview, the delay checks, saving, Cancel and the large-image warning.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "dialog_helpers.h"
#include "saver/config/settings_dialog_layout.h"

namespace lumiroll::e2e {
namespace {

std::wstring PhotoFolder(std::wstring_view name, std::initializer_list<const wchar_t*> photos) {
  const std::wstring folder = FreshFolder(name);
  for (const wchar_t* photo : photos) CopyAsset(std::wstring(L"photos\\") + photo, folder + L"\\" + photo);
  return folder;
}

TEST(SettingsDialog, ControlsStandWhereTheLayoutPutsThem) {
  const std::wstring folder = PhotoFolder(L"layout", {L"harbor.jpg", L"meadow.jpg"});
  StoreSettings(L"2.5", L"2", folder, L"2");
  SettingsDialogSession session;
  ASSERT_TRUE(session.Open());
  HWND dialog = session.dialog;
  EXPECT_EQ(ClientSize(dialog), (SIZE{563, 314}));
  const LONG style = ::GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "a fixed dialog";
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(IsCentred(dialog));
  const struct {
    int id;
    RECT expected;  // left, top, right, bottom in the client area
  } rows[] = {
      {kIdFrame3, {12, 6, 352, 223}},           {kIdDir1, {24, 24, 178, 180}},
      {kIdDrive1, {24, 189, 178, 210}},         {kIdFile1, {186, 23, 340, 211}},
      {kIdFrame1, {12, 237, 118, 301}},         {kIdOption1Index1, {21, 255, 91, 274}},
      {kIdOption1Index2, {21, 276, 94, 295}},   {kIdFrame2, {129, 237, 235, 301}},
      {kIdOption2Index1, {138, 255, 208, 274}}, {kIdOption2Index2, {138, 276, 199, 295}},
      {kIdFrame4, {246, 237, 352, 286}},        {kIdLabel3, {255, 258, 301, 277}},
      {kIdText1, {306, 255, 340, 274}},         {kIdCommandOK, {472, 223, 550, 245}},
      {kIdCommandCancel, {472, 251, 550, 273}}, {kIdCommandAbout, {472, 279, 550, 301}},
      {kIdPicture0, {366, 12, 550, 181}},       {kIdPicture1, {381, 27, 535, 142}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "control " << row.id);
    HWND control = ::GetDlgItem(dialog, row.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ClientRectOf(dialog, control), row.expected);
  }
  EXPECT_EQ(WindowTitle(::GetDlgItem(dialog, kIdFrame3)), L"Photo Directory");
  EXPECT_EQ(WindowTitle(::GetDlgItem(dialog, kIdOption1Index2)), L"Actual Size");
  EXPECT_EQ(WindowTitle(::GetDlgItem(dialog, kIdLabel3)), L"Seconds:");
  const std::vector<int> tabOrder{kIdDir1,          kIdDrive1,        kIdFile1,         kIdOption1Index1,
                                  kIdOption1Index2, kIdOption2Index1, kIdOption2Index2, kIdText1,
                                  kIdCommandOK,     kIdCommandCancel, kIdCommandAbout};
  EXPECT_EQ(TabOrder(dialog, tabOrder), tabOrder);
  EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, kIdText1), EM_GETLIMITTEXT, 0, 0), 2);
  EXPECT_TRUE(::GetWindowLongW(::GetDlgItem(dialog, kIdCommandOK), GWL_STYLE) & BS_DEFPUSHBUTTON);

  // The stored values.
  EXPECT_EQ(ControlText(::GetDlgItem(dialog, kIdText1)), L"2.5");
  EXPECT_EQ(CheckedOptions(dialog), (std::vector<int>{kIdOption1Index2, kIdOption2Index2}));
  EXPECT_EQ(ListTexts(::GetDlgItem(dialog, kIdFile1)), (std::vector<std::wstring>{L"harbor.jpg", L"meadow.jpg"}));
  EXPECT_EQ(SelectedListText(::GetDlgItem(dialog, kIdFile1)), L"harbor.jpg");
  EXPECT_EQ(SelectedListText(::GetDlgItem(dialog, kIdDir1)), LastName(folder)) << "the open folder is highlighted";
  EXPECT_TRUE(ControlText(::GetDlgItem(dialog, kIdDrive1)).starts_with(L"c:")) << "the stored folder's drive";
  session.SaveScreenshot(L"settings-dialog");
}

TEST(SettingsDialog, NeverConfiguredShowsZeroFitScreenAlphabeticAtDriveCsCurrentFolder) {
  ClearSettings();
  const std::wstring start = PhotoFolder(L"start", {L"tulips.jpg"});
  SettingsDialogSession session(start);
  ASSERT_TRUE(session.Open());
  HWND dialog = session.dialog;
  EXPECT_EQ(ControlText(::GetDlgItem(dialog, kIdText1)), L"0");
  EXPECT_EQ(CheckedOptions(dialog), (std::vector<int>{kIdOption1Index1, kIdOption2Index1}));
  EXPECT_EQ(SelectedListText(::GetDlgItem(dialog, kIdDir1)), LastName(start));
  EXPECT_EQ(ListTexts(::GetDlgItem(dialog, kIdFile1)), (std::vector<std::wstring>{L"tulips.jpg"}));
  EXPECT_TRUE(session.PreviewShowsAPicture());
  // OK with the delay unchanged: the range message, and nothing is stored.
  ClickControl(::GetDlgItem(dialog, kIdCommandOK));
  ExpectMessage(session.program, L"Lumiroll Error", L"Photo Delay must be a number from 1 to 99.");
  EXPECT_FALSE(ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, L"PhotoDisplayTime"));
}

// A folder on the Z: drive (Wine's view of the Linux root), removed again at the end.
class FolderOnDriveZ {
 public:
  FolderOnDriveZ() {
    path_ = L"Z:\\tmp\\lumiroll-dialog-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(path_.c_str(), nullptr);
    CopyAsset(L"photos\\tulips.jpg", path_ + L"\\tulips.jpg");
  }
  ~FolderOnDriveZ() {
    ::DeleteFileW((path_ + L"\\tulips.jpg").c_str());
    ::RemoveDirectoryW(path_.c_str());
  }
  [[nodiscard]] const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

TEST(SettingsDialog, StoredFolderOnAnotherDriveKeepsTheFolderListOnIt) {
  const FolderOnDriveZ folder;
  StoreSettings(L"5", L"1", folder.path(), L"1");
  SettingsDialogSession session;
  ASSERT_TRUE(session.Open());
  HWND dialog = session.dialog, dir1 = ::GetDlgItem(dialog, kIdDir1);
  EXPECT_EQ(ListTexts(dir1).front(), L"Z:\\");
  EXPECT_EQ(SelectedListText(dir1), LastName(folder.path()));
  EXPECT_TRUE(ControlText(::GetDlgItem(dialog, kIdDrive1)).starts_with(L"z:"));
  EXPECT_EQ(ListTexts(::GetDlgItem(dialog, kIdFile1)), (std::vector<std::wstring>{L"tulips.jpg"}));
  // OK saves the folder the list has open.
  ClickControl(::GetDlgItem(dialog, kIdCommandOK));
  ASSERT_TRUE(session.program.WaitForExit(5000));
  EXPECT_EQ(StoredSettings()[2], folder.path());
}

TEST(SettingsDialog, StoredFolderOnAMissingDriveLeavesBothListsWhereTheyStarted) {
  const std::wstring start = PhotoFolder(L"missing-drive", {L"harbor.jpg"});
  StoreSettings(L"5", L"1", L"Q:\\Photos", L"1");
  SettingsDialogSession session(start);
  ASSERT_TRUE(session.Open());
  HWND dialog = session.dialog;
  EXPECT_EQ(SelectedListText(::GetDlgItem(dialog, kIdDir1)), LastName(start));
  EXPECT_TRUE(ControlText(::GetDlgItem(dialog, kIdDrive1)).starts_with(L"c:"));
  EXPECT_EQ(ListTexts(::GetDlgItem(dialog, kIdFile1)), (std::vector<std::wstring>{L"harbor.jpg"}));
}

TEST(SettingsDialog, ChoosingADriveOpensItsCurrentFolder) {
  const std::wstring folder = PhotoFolder(L"drives", {L"harbor.jpg"});
  StoreSettings(L"5", L"1", folder, L"1");
  // Z:'s current folder is the program's working folder, which holds tulips.jpg.
  const FolderOnDriveZ onZ;
  SettingsDialogSession session(onZ.path());
  ASSERT_TRUE(session.Open());
  HWND dialog = session.dialog, drive1 = ::GetDlgItem(dialog, kIdDrive1), dir1 = ::GetDlgItem(dialog, kIdDir1);
  const LRESULT z = ::SendMessageW(drive1, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"z:"));
  ASSERT_NE(z, CB_ERR);
  ::SendMessageW(drive1, CB_SETCURSEL, static_cast<WPARAM>(z), 0);
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kIdDrive1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(drive1));
  ASSERT_TRUE(session.program.WaitUntil([&] { return ListTexts(dir1).front() == L"Z:\\"; }, "Z:'s folders"));
  EXPECT_TRUE(ControlText(drive1).starts_with(L"z:"));
  EXPECT_TRUE(session.program.WaitUntil([&] { return SelectedListText(dir1) == LastName(onZ.path()); }, "Z:'s folder"))
      << testing::PrintToString(ListTexts(dir1)) << " with " << testing::PrintToString(SelectedListText(dir1));
  EXPECT_TRUE(session.program.WaitUntil(
      [&] { return ListTexts(::GetDlgItem(dialog, kIdFile1)) == std::vector<std::wstring>{L"tulips.jpg"}; },
      "the current folder's files"))
      << testing::PrintToString(ListTexts(::GetDlgItem(dialog, kIdFile1)));
}

TEST(SettingsDialog, OpeningAFolderFillsTheFileListAndPaintsThePreview) {
  const std::wstring parent = FreshFolder(L"parent");
  const std::wstring photos = parent + L"\\Été photos";
  ASSERT_TRUE(::CreateDirectoryW(photos.c_str(), nullptr));
  CopyAsset(L"photos\\meadow.jpg", photos + L"\\meadow.jpg");
  CopyAsset(L"photos\\lantern.jpg", photos + L"\\Lantern.JPG");
  WriteFileBytes(photos + L"\\notes.txt", "not a picture");
  StoreSettings(L"5", L"1", parent, L"1");
  SettingsDialogSession session;
  ASSERT_TRUE(session.Open());
  HWND dialog = session.dialog, dir1 = ::GetDlgItem(dialog, kIdDir1), file1 = ::GetDlgItem(dialog, kIdFile1);
  EXPECT_TRUE(ListTexts(file1).empty());
  EXPECT_FALSE(session.PreviewShowsAPicture()) << "a folder without images leaves the preview black";

  // A click only highlights: the file list stays as it was.
  const std::vector<std::wstring> rows = ListTexts(dir1);
  const auto row = std::find(rows.begin(), rows.end(), L"Été photos");
  ASSERT_NE(row, rows.end());
  ClickListRow(dir1, static_cast<int>(row - rows.begin()));
  ASSERT_TRUE(WaitUntil([&] { return SelectedListText(dir1) == L"Été photos"; }, kLivenessMs));
  // A check that nothing happens: a stated span after the row was highlighted.
  EXPECT_FALSE(WaitUntil([&] { return !ListTexts(file1).empty(); }, 500));

  PressKey(VK_RETURN);  // opens the highlighted folder
  ASSERT_TRUE(WaitUntil([&] { return ListTexts(file1).size() == 2; }, kLivenessMs));
  EXPECT_EQ(ListTexts(file1), (std::vector<std::wstring>{L"Lantern.JPG", L"meadow.jpg"}));
  EXPECT_EQ(SelectedListText(file1), L"Lantern.JPG");
  EXPECT_TRUE(WaitUntil([&] { return session.PreviewShowsAPicture(); }, kLivenessMs));
  EXPECT_TRUE(session.IsRunning()) << "Enter in the folder list does not press OK";
  session.SaveScreenshot(L"settings-dialog-opened-folder");
}

TEST(SettingsDialog, ActualSizeRepaintsAtOnceAndRandomChangesNothingOnScreen) {
  // 132 x 121 pixels: fitted it fills the preview's height; at actual size it takes the share
  // of the preview that it will take of the 1024-pixel-wide screen, about 20 x 18.
  const std::wstring folder = FreshFolder(L"sizes");
  CopyAsset(L"arrow.bmp", folder + L"\\arrow.bmp");
  StoreSettings(L"5", L"1", folder, L"1");
  SettingsDialogSession session;
  ASSERT_TRUE(session.Open());
  HWND dialog = session.dialog;
  ASSERT_TRUE(WaitUntil([&] { return session.PreviewShowsAPicture(); }, kLivenessMs));
  const auto fitted = session.PreviewPixels();
  EXPECT_LT(BlackShare(fitted), 0.3);

  ClickControl(::GetDlgItem(dialog, kIdOption1Index2));
  ASSERT_TRUE(WaitUntil([&] { return session.PreviewPixels() != fitted; }, kLivenessMs))
      << "Actual Size repaints at once";
  const auto actual = session.PreviewPixels();
  EXPECT_GT(BlackShare(actual), 0.95);
  EXPECT_LT(BlackShare(actual), 1.0);

  ClickControl(::GetDlgItem(dialog, kIdOption2Index2));
  ASSERT_TRUE(WaitUntil([&] { return CheckedOptions(dialog).back() == kIdOption2Index2; }, kLivenessMs));
  // A check that nothing happens: a stated span after the option was taken.
  EXPECT_FALSE(WaitUntil([&] { return session.PreviewPixels() != actual; }, 500)) << "Random changes nothing on screen";
}

TEST(SettingsDialog, DelayChecksShowTheirMessageAndKeepTheDialogOpen) {
  const std::wstring folder = PhotoFolder(L"delays", {});
  StoreSettings(L"5", L"1", folder, L"1");
  SettingsDialogSession session;
  ASSERT_TRUE(session.Open());
  HWND dialog = session.dialog, text1 = ::GetDlgItem(dialog, kIdText1);
  const struct {
    const wchar_t* delay;
    const wchar_t* message;
  } rows[] = {
      {L"", L"Photo Delay must be numeric."},
      {L"ab", L"Photo Delay must be numeric."},
      {L"0", L"Photo Delay must be a number from 1 to 99."},
      {L".5", L"Photo Delay must be a number from 1 to 99."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.delay)));
    ::SendMessageW(text1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(row.delay));
    ClickControl(::GetDlgItem(dialog, kIdCommandOK));
    ExpectMessage(session.program, L"Lumiroll Error", row.message);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == text1; }, kLivenessMs)) << "focus back in Text1";
    EXPECT_TRUE(session.IsRunning());
  }
  EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kSettingsKey, L"PhotoDisplayTime"), L"5") << "nothing stored";
}

TEST(SettingsDialog, OkSavesTheFourSettingsAndEnds) {
  const std::wstring folder = PhotoFolder(L"save", {L"harbor.jpg"});
  StoreSettings(L"5", L"1", folder, L"1");
  SettingsDialogSession session;
  ASSERT_TRUE(session.Open());
  HWND dialog = session.dialog, text1 = ::GetDlgItem(dialog, kIdText1);
  ClickControl(::GetDlgItem(dialog, kIdOption1Index2));
  ClickControl(::GetDlgItem(dialog, kIdOption2Index2));
  ClickControl(text1);
  // Emptied rather than selected: the click's caret cannot undo it, whenever it is taken.
  ::SendMessageW(text1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  PressKey('9');
  PressKey(VK_OEM_PERIOD);
  PressKey('7');  // a third character does not fit
  ASSERT_TRUE(WaitUntil([&] { return ControlText(text1) == L"9."; }, kLivenessMs))
      << testing::PrintToString(ControlText(text1));
  PressKey(VK_RETURN);  // OK is the default button
  ASSERT_TRUE(session.program.WaitForExit(5000));
  EXPECT_EQ(StoredSettings(), (std::vector<std::wstring>{L"9", L"2", folder, L"2"}));
  EXPECT_EQ(StoredValueCount(), 4u);
}

TEST(SettingsDialog, OkThatCannotSaveSaysSoAndEnds) {
  const std::wstring folder = PhotoFolder(L"unsaved", {L"harbor.jpg"});
  const UnwritableSettings unwritable;
  ASSERT_TRUE(unwritable.made());
  SettingsDialogSession session(folder);
  ASSERT_TRUE(session.Open());
  ::SendMessageW(::GetDlgItem(session.dialog, kIdText1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"9"));
  ClickControl(::GetDlgItem(session.dialog, kIdCommandOK));
  ExpectMessage(session.program, L"Lumiroll Error",
                L"Lumiroll could not save the photo display time, photo size, photo folder and photo order.");
  ASSERT_TRUE(session.program.WaitForExit(5000));
  EXPECT_EQ(StoredValueCount(), 0u);
}

TEST(SettingsDialog, CancelAfterClickingOptionsLeavesTheStoreAsItWas) {
  const std::wstring folder = PhotoFolder(L"cancel", {L"harbor.jpg"});
  StoreSettings(L"5", L"1", folder, L"1");
  SettingsDialogSession session;
  ASSERT_TRUE(session.Open());
  HWND dialog = session.dialog;
  ClickControl(::GetDlgItem(dialog, kIdOption1Index2));
  ClickControl(::GetDlgItem(dialog, kIdOption2Index2));
  ::SendMessageW(::GetDlgItem(dialog, kIdText1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"42"));
  ASSERT_TRUE(WaitUntil([&] { return CheckedOptions(dialog).back() == kIdOption2Index2; }, kLivenessMs));
  ClickControl(::GetDlgItem(dialog, kIdCommandCancel));
  ASSERT_TRUE(session.program.WaitForExit(5000));
  EXPECT_EQ(StoredSettings(), (std::vector<std::wstring>{L"5", L"1", folder, L"1"}));
}

TEST(SettingsDialog, ClosingByTheCloseBoxSavesNothing) {
  const std::wstring folder = PhotoFolder(L"closebox", {});
  StoreSettings(L"5", L"1", folder, L"1");
  SettingsDialogSession session;
  ASSERT_TRUE(session.Open());
  ClickControl(::GetDlgItem(session.dialog, kIdOption2Index2));
  ::PostMessageW(session.dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(session.program.WaitForExit(5000));
  EXPECT_EQ(StoredSettings(), (std::vector<std::wstring>{L"5", L"1", folder, L"1"}));
}

TEST(SettingsDialog, LargeImagesGiveOneWarningAfterTheSettingsAreSaved) {
  const struct {
    const char* name;
    std::size_t size;
    const wchar_t* warning;
  } rows[] = {
      {"big.bmp", 2'000'001,
       L"Some BMP images are larger than 2 megabytes.\n"
       L"Large files will process slowly and your monitor cannot show the extra detail of such large images.\n"
       L"You should resize these images to fit your monitors resolution (e.g. 1024 x 768)\n"
       L"and/or reduce their color palette."},
      {"big.Gif", 1'000'001,
       L"Some JPG or GIF images are larger than 1 megabyte.\n"
       L"Large files will process slowly and your monitor cannot show the extra detail of such large images.\n"
       L"You should reduce these images to fit your monitors resolution. (e.g. 1024 x 768)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::wstring folder = PhotoFolder(L"large", {L"harbor.jpg"});
    WriteFileBytes(folder + L"\\" + std::wstring(row.name, row.name + std::strlen(row.name)),
                   std::string(row.size, 'x'));
    WriteFileBytes(folder + L"\\c.bmp", std::string(9'000'000, 'x'));  // later in the list: not reported
    StoreSettings(L"5", L"1", L"0", L"1");
    SettingsDialogSession session(folder);
    ASSERT_TRUE(session.Open());
    ClickControl(::GetDlgItem(session.dialog, kIdCommandOK));
    HWND box = session.program.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(StoredSettings(), (std::vector<std::wstring>{L"5", L"1", folder, L"1"})) << "saved before the warning";
    const auto content = ReadMessageBox(box);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->title, L"Lumiroll Warning");
    EXPECT_EQ(content->text, row.warning);
    PressButton(box, IDOK);
    EXPECT_TRUE(session.program.WaitForExit(5000)) << "one warning, then the end";
  }
}

}  // namespace
}  // namespace lumiroll::e2e
