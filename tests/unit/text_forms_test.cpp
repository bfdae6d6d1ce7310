#include "shared/text_forms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lumiroll {
namespace {

TEST(NumericReading, TakesTheLongestLeadingDecimalNumber) {
  const struct {
    const wchar_t* text;
    double expected;
  } rows[] = {
      {L"5", 5},          {L" 7.5", 7.5}, {L"12abc", 12}, {L"abc", 0},  {L"", 0},        {L"\t\n 3", 3},
      {L"-2.25x", -2.25}, {L"+4", 4},     {L"9.", 9},     {L".5", 0.5}, {L"1.2.3", 1.2}, {L"- 3", 0},
      {L"0.4", 0.4},      {L"1e5", 1},    {L"1 000", 1},  {L"\r5", 0},  {L"00012", 12},
  };
  for (const auto& row : rows) EXPECT_DOUBLE_EQ(NumericReading(row.text), row.expected) << row.text;
}

TEST(NumericReading, NeverFailsOnHugeNumbers) {
  const std::wstring huge(400, L'9');
  EXPECT_EQ(NumericReading(huge), std::numeric_limits<double>::max());
  EXPECT_EQ(NumericReading(L"-" + huge), -std::numeric_limits<double>::max());
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  const struct {
    double value;
    std::int16_t expected;
  } rows[] = {{1.5, 2},     {2.5, 2},         {0.4, 0},   {0.5, 0},    {-1.5, -2}, {110.5, 110},
              {111.5, 112}, {32767.4, 32767}, {32768, 0}, {-32769, 0}, {1e300, 0}};
  for (const auto& row : rows) EXPECT_EQ(RoundToInt16(row.value), row.expected) << row.value;
  EXPECT_EQ(RoundToInt16(std::nan("")), 0);
  EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
  EXPECT_EQ(RoundToInt32(2147483648.0), 0);
}

TEST(NumberText, WritesTheShortestPlainDecimal) {
  const struct {
    double value;
    const wchar_t* expected;
  } rows[] = {{5, L"5"},          {2, L"2"},
              {2.5, L"2.5"},      {0, L"0"},
              {99, L"99"},        {0.1, L"0.1"},
              {-3, L"-3"},        {1.0 / 3, L"0.333333333333333"},
              {1e-5, L"0.00001"}, {123456789012345.0, L"123456789012345"},
              {-0.0, L"0"}};
  for (const auto& row : rows) EXPECT_EQ(NumberText(row.value), row.expected) << row.value;
}

TEST(NumberText, ReadsBackAsTheSameValue) {
  for (double value : {5.0, 2.5, 0.1, 7.25, 98.75, 12.0001, 0.000123})
    EXPECT_DOUBLE_EQ(NumericReading(NumberText(value)), value) << value;
}

TEST(LetterCase, MapsTheLettersOfFileNames) {
  EXPECT_EQ(UpperCase(L"c:\\photos\\été 2024"), L"C:\\PHOTOS\\ÉTÉ 2024");
  EXPECT_EQ(LowerCase(L"/S /X  Y"), L"/s /x  y");
  EXPECT_EQ(UpperCase(L"straße ÿ ł ź"), L"STRAßE Ÿ Ł Ź");
  EXPECT_EQ(UpperCase(L"фото αβγ"), L"ФОТО ΑΒΓ");
  EXPECT_EQ(LowerCase(L"ФОТО ΑΒΓ ÀÞ×"), L"фото αβγ àþ×");
  EXPECT_EQ(UpperCase(L"写真 ÷"), L"写真 ÷");
}

TEST(LetterCase, ComparesWithoutRegardToCase) {
  EXPECT_EQ(CompareIgnoringCase(L"A.gif", L"a.GIF"), 0);
  EXPECT_LT(CompareIgnoringCase(L"A.gif", L"b.JPG"), 0);
  EXPECT_GT(CompareIgnoringCase(L"c.bmp", L"B.JPG"), 0);
  EXPECT_LT(CompareIgnoringCase(L"ab", L"ABC"), 0);
}

TEST(TrimSpaces, RemovesOnlyOuterSpaces) {
  EXPECT_EQ(TrimSpaces(L"  /s  "), L"/s");
  EXPECT_EQ(TrimSpaces(L"/X  Y"), L"/X  Y");
  EXPECT_EQ(TrimSpaces(L"   "), L"");
  EXPECT_EQ(TrimSpaces(L"\t/s"), L"\t/s");
}

}  // namespace
}  // namespace lumiroll
