#include "saver/image_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "shared/text_forms.h"

namespace lumiroll {
namespace {

FolderEntry File(std::wstring name) { return {std::move(name)}; }

// A file system of a few folders on drive C:, resolving paths the way Windows does.
class FakeFolders : public FolderReader {
 public:
  std::wstring currentFolder = L"C:\\Work";
  std::map<std::wstring, std::vector<FolderEntry>> folders;  // keyed by the on-disk spelling

  std::wstring OpenFolder(std::wstring_view text) const override {
    std::wstring path(text);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (path.size() < 3 || path[1] != L':' || path[2] != L'\\') path = currentFolder + L"\\" + path;
    if (path.size() > 3 && path.back() == L'\\') path.pop_back();
    for (const auto& [spelling, entries] : folders)
      if (UpperCase(spelling) == UpperCase(path)) return spelling;
    return currentFolder;
  }
  std::vector<FolderEntry> List(std::wstring_view folder) const override {
    const auto found = folders.find(std::wstring(folder));
    return found == folders.end() ? std::vector<FolderEntry>{} : found->second;
  }
};

TEST(ImagePatternMatch, MatchesTheEightExtensionsWhateverTheCase) {
  const struct {
    const wchar_t* name;
    bool matches;
  } rows[] = {
      {L"a.bmp", true},        {L"b.RLE", true},     {L"c.Ico", true},      {L"d.wmf", true},  {L"e.EMF", true},
      {L"f.jpg", true},        {L"g.JIF", true},     {L"h.gif", true},      {L".jpg", true},   {L"x.y.jpg", true},
      {L"Été 写真.JPG", true}, {L"a.jpeg", false},   {L"a.jpgx", false},    {L"a.png", false}, {L"jpg", false},
      {L"a.jp", false},        {L"a.txt.bmp", true}, {L"a.bmp.txt", false}, {L"a.tif", false}, {L"", false},
  };
  for (const auto& row : rows) EXPECT_EQ(MatchesPatternList(row.name, ImagePattern), row.matches) << row.name;
}

TEST(ImagePatternMatch, StarStandsForAnyRunIncludingNone) {
  const struct {
    const wchar_t* name;
    const wchar_t* patterns;
    bool matches;
  } rows[] = {
      {L"abc", L"*", true},      {L"", L"*", true},         {L"abc", L"a*c", true},   {L"ac", L"a*c", true},
      {L"abcbc", L"a*bc", true}, {L"abcb", L"a*bc", false}, {L"abc", L"*b*", true},   {L"abc", L"x;;*c", true},
      {L"abc", L"", false},      {L"abc", L"ABC", true},    {L"abcd", L"abc", false}, {L"a.jpg", L"*.gif;*.JPG", true},
  };
  for (const auto& row : rows)
    EXPECT_EQ(MatchesPatternList(row.name, row.patterns), row.matches) << row.name << L" / " << row.patterns;
}

TEST(MatchingFileNames, KeepsPlainImageFilesAscendingIgnoringCase) {
  std::vector<FolderEntry> entries = {File(L"c.bmp"), File(L"A.gif"), File(L"b.JPG"), File(L"notes.txt")};
  entries.push_back({L"hidden.jpg", false, true, false});
  entries.push_back({L"system.gif", false, false, true});
  entries.push_back({L"folder.jpg", true, false, false});
  EXPECT_EQ(MatchingFileNames(entries, ImagePattern), (std::vector<std::wstring>{L"A.gif", L"b.JPG", L"c.bmp"}));
}

TEST(MatchingFileNames, OrdersLettersBeyondAsciiIgnoringCaseToo) {
  const std::vector<FolderEntry> entries = {File(L"éb.jpg"), File(L"ÉA.jpg"), File(L"Z.jpg"), File(L"a.jpg")};
  EXPECT_EQ(MatchingFileNames(entries, ImagePattern),
            (std::vector<std::wstring>{L"a.jpg", L"Z.jpg", L"ÉA.jpg", L"éb.jpg"}));
}

TEST(MatchingFileNames, KeepsTheFirst32767NamesOfTheWholeOrder) {
  std::vector<FolderEntry> entries;
  for (int i = 40000; i-- > 0;) entries.push_back(File(L"p" + std::to_wstring(100000 + i) + L".jpg"));
  const auto names = MatchingFileNames(entries, ImagePattern);
  ASSERT_EQ(names.size(), 32767u);
  EXPECT_EQ(names.front(), L"p100000.jpg");
  EXPECT_EQ(names.back(), L"p132766.jpg");
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
}

TEST(BuildImageList, CountsImagesOfAFoundFolder) {
  FakeFolders fs;
  fs.folders[L"C:\\Photos"] = {File(L"c.bmp"), File(L"A.gif"), File(L"b.JPG"), File(L"notes.txt")};
  std::int16_t count = 99;
  std::vector<std::wstring> names = {L"old"};
  BuildImageList(L"C:\\Photos", ImagePattern, count, names, fs);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"A.gif", L"b.JPG", L"c.bmp"}));
}

TEST(BuildImageList, FindsAFolderOnlyWhenTheSettingIsItsFullSpelling) {
  FakeFolders fs;
  fs.folders[L"C:\\Photos"] = {File(L"a.jpg")};
  fs.folders[L"C:\\"] = {File(L"root.gif")};
  fs.folders[L"C:\\Work"] = {File(L"w.jpg")};
  const struct {
    const wchar_t* setting;
    std::int16_t count;
  } rows[] = {
      {L"C:\\Photos", 1}, {L"c:\\photos", 1}, {L"C:\\PHOTOS", 1},   {L"C:\\Photos\\", -1},
      {L"photos", -1},    {L"C:/Photos", -1}, {L"0", -1},           {L"", -1},
      {L"C:\\", 1},       {L"c:\\", 1},       {L"C:\\Missing", -1}, {L"Q:\\Photos", -1},
      {L"C:\\Work", 1},   {L".", -1},
  };
  for (const auto& row : rows) {
    std::int16_t count = 99;
    std::vector<std::wstring> names;
    BuildImageList(row.setting, ImagePattern, count, names, fs);
    EXPECT_EQ(count, row.count) << row.setting;
    EXPECT_EQ(names.size(), static_cast<std::size_t>(std::max<int>(row.count, 0))) << row.setting;
  }
}

TEST(BuildImageList, LeavesTheNamesAloneWhenThereIsNothingToShow) {
  FakeFolders fs;
  fs.folders[L"C:\\Empty"] = {File(L"notes.txt"), {L"sub.jpg", true, false, false}};
  for (const wchar_t* setting : {L"C:\\Empty", L"C:\\Missing"}) {
    std::int16_t count = 99;
    std::vector<std::wstring> names = {L"kept.jpg"};
    BuildImageList(setting, ImagePattern, count, names, fs);
    EXPECT_EQ(count, std::wstring(setting) == L"C:\\Empty" ? 0 : -1) << setting;
    EXPECT_EQ(names, std::vector<std::wstring>{L"kept.jpg"}) << setting;
  }
}

TEST(BuildImageList, CountsAtMost32767) {
  FakeFolders fs;
  auto& entries = fs.folders[L"C:\\Many"];
  for (int i = 0; i < 32769; ++i) entries.push_back(File(std::to_wstring(i) + L".gif"));
  std::int16_t count = 0;
  std::vector<std::wstring> names;
  BuildImageList(L"C:\\Many", ImagePattern, count, names, fs);
  EXPECT_EQ(count, 32767);
  EXPECT_EQ(names.size(), 32767u);
}

std::vector<std::wstring> Names(int n) {
  std::vector<std::wstring> names;
  for (int i = 1; i <= n; ++i) names.push_back(std::to_wstring(i));
  return names;
}

TEST(ShuffleImages, DrawsEachStepFromTheWholeList) {
  // n = 4; the fractions give j = 3, 1, 4, 2: 3214, 2314, 2341, 2143.
  const std::vector<double> fractions = {0.5, 0.0, 0.99, 0.25};
  std::size_t next = 0;
  auto names = Names(4);
  ShuffleImages(names, [&] { return fractions[next++]; });
  EXPECT_EQ(next, 4u);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"2", L"1", L"4", L"3"}));
}

TEST(ShuffleImages, StaysInsideTheListWhateverTheSourceGives) {
  const double fractions[] = {0.9999999999999999, 1.0, 7.0, -0.5, std::nan("")};
  for (double r : fractions) {
    auto names = Names(3);
    ShuffleImages(names, [r] { return r; });
    EXPECT_TRUE(std::is_permutation(names.begin(), names.end(), Names(3).begin())) << r;
  }
}

TEST(ShuffleImages, ClockSeededOrderIsAPermutation) {
  std::set<std::vector<std::wstring>> orders;
  for (int run = 0; run < 20; ++run) {
    auto names = Names(50);
    ShuffleImages(names);
    auto sorted = names;
    std::sort(sorted.begin(), sorted.end());
    auto expected = Names(50);
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(sorted, expected);
    orders.insert(names);
  }
  EXPECT_GT(orders.size(), 1u);  // 50! orders: equal draws mean a fixed seed
}

TEST(ShuffleImages, OneImageStaysOneAndNoneStaysNone) {
  std::vector<std::wstring> one = {L"only.jpg"};
  ShuffleImages(one);
  EXPECT_EQ(one, std::vector<std::wstring>{L"only.jpg"});
  std::vector<std::wstring> none;
  ShuffleImages(none);
  EXPECT_TRUE(none.empty());
}

TEST(ImageFolderMessage, TextsForMissingAndEmptyFolders) {
  EXPECT_EQ(ImageFolderMessage(-1, L"C:\\Photos\\"), L"Photo directory could not be found:\n\nC:\\Photos\\");
  EXPECT_EQ(ImageFolderMessage(-1, L"0"), L"Photo directory could not be found:\n\n0");
  EXPECT_EQ(ImageFolderMessage(0, L"C:\\Empty"), L"Photo directory has no images to display:\n\nC:\\Empty.");
  EXPECT_EQ(ImageFolderMessage(3, L"C:\\Photos"), L"");
}

}  // namespace
}  // namespace lumiroll
