// Extended-length paths: drive and network forms, cleaned as Windows would clean an ordinary path.
#include <gtest/gtest.h>

#include <string>

#include "platform/long_path.h"

namespace lumiroll {
namespace {

TEST(ExtendedLengthPath, DriveAndNetworkPathsGetTheirPrefixWithTheSeparatorsCleaned) {
  const struct {
    std::wstring path, expected;
  } rows[] = {
      {L"C:\\Photos\\a.jpg", L"\\\\?\\C:\\Photos\\a.jpg"},
      {L"C:\\\\a.jpg", L"\\\\?\\C:\\a.jpg"},  // the root joined to a name with its own "\"
      {L"d:\\Été 2024\\\\写真.jpg", L"\\\\?\\d:\\Été 2024\\写真.jpg"},
      {L"C:/Photos/./x/../a.jpg", L"\\\\?\\C:\\Photos\\a.jpg"},
      {L"C:\\..\\..\\a.jpg", L"\\\\?\\C:\\a.jpg"},  // never above the root
      {L"C:\\Photos\\", L"\\\\?\\C:\\Photos"},
      {L"C:\\", L"\\\\?\\C:\\"},
      {L"\\\\server\\share\\Photos\\\\a.jpg", L"\\\\?\\UNC\\server\\share\\Photos\\a.jpg"},
      {L"//server/share/a.jpg", L"\\\\?\\UNC\\server\\share\\a.jpg"},
      {L"\\\\server\\share\\..\\..\\a.jpg", L"\\\\?\\UNC\\server\\share\\a.jpg"},  // the share stays
      {L"\\\\server", L"\\\\server"},                                              // no share named
      {L"\\\\?\\C:\\already\\\\as is", L"\\\\?\\C:\\already\\\\as is"},
      {L"\\\\.\\COM1", L"\\\\.\\COM1"},
      {L"relative\\a.jpg", L"relative\\a.jpg"},
      {L"\\Photos\\a.jpg", L"\\Photos\\a.jpg"},  // the current drive's root: not full
      {L"C:a.jpg", L"C:a.jpg"},
      {L"1:\\a.jpg", L"1:\\a.jpg"},
      {L"", L""},
  };
  for (const auto& row : rows) EXPECT_EQ(ExtendedLengthPath(row.path), row.expected) << row.path;
}

TEST(LongPathForm, OnlyPathsTooLongForTheOrdinaryFunctionsChange) {
  const std::wstring fits = L"C:\\" + std::wstring(kLongPathFrom - 4, L'x');
  const std::wstring tooLong = L"C:\\" + std::wstring(kLongPathFrom - 3, L'x');
  const std::wstring share = L"\\\\server\\share\\" + std::wstring(300, L'x');
  EXPECT_EQ(LongPathForm(fits), fits);
  EXPECT_EQ(LongPathForm(tooLong), L"\\\\?\\" + tooLong);
  EXPECT_EQ(LongPathForm(share), L"\\\\?\\UNC\\server\\share\\" + std::wstring(300, L'x'));
  EXPECT_EQ(LongPathForm(L"C:\\\\a.jpg"), L"C:\\\\a.jpg") << "a short path keeps the system's own clean-up";
}

}  // namespace
}  // namespace lumiroll
