#include "saver/registry_value.h"

#include <gtest/gtest.h>

namespace lumiroll {
namespace {

using namespace std::string_literals;  // values with embedded zero bytes

constexpr std::uint32_t kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegMultiSz = 7;

TEST(RegistryValueText, FormatsWhatTheRegistryDeliveredAndReadsItAsTheFlag) {
  const struct {
    std::uint32_t type;
    std::string delivered;
    std::string text;
    std::int16_t usePassword;
  } rows[] = {
      {kRegSz, "1\0"s, "1", 1},
      {kRegSz, "\0"s, "", 0},
      {kRegSz, "", "", 0},
      {kRegSz, " 1.5\0"s, " 1.5", 2},
      {kRegSz, "2\0"s, "2", 2},
      {kRegExpandSz, "1\0"s, "1", 1},
      {kRegMultiSz, "1\0\0"s, "1\0"s, 1},
      {kRegDword, "\x01\0\0\0"s, "001", 1},
      {kRegDword, "\0\0\0\0"s, "000", 0},
      {kRegDword, "\x02\0\0\0"s, "002", 2},
      {kRegDword, "\x19\0\0\0"s, "025", 25},
      {kRegDword, "\xE8\x03\0\0"s, "100", 100},      // 1000 keeps its first three digits
      {kRegDword, "\x40\x42\x0F\0"s, "100", 100},    // 1000000
      {kRegDword, "\xFF\xFF\xFF\xFF"s, "429", 429},  // 4294967295: unsigned, not -1
      {kRegDword, "\x01\0"s, "001", 1},              // a short value: missing bytes are zero
      {kRegDword, "", "000", 0},
      {kRegBinary, "\x01\0\0\0"s, "\x01\0\0"s, 0},  // raw bytes: no number at the front
      {kRegBinary, "1\0"s, "1", 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "type " << row.type << ", bytes " << testing::PrintToString(row.delivered));
    const std::string text = RegistryValueText(row.type, row.delivered);
    EXPECT_EQ(text, row.text);
    EXPECT_EQ(UsePasswordFromText(text), row.usePassword);
  }
}

TEST(UsePasswordFromText, IsTheRoundedNumericReading) {
  const struct {
    const char* text;
    std::int16_t expected;
  } rows[] = {
      {"1", 1},   {"001", 1},  {"  1", 1}, {"1abc", 1}, {"0.5", 0}, {"1.5", 2},
      {"2.5", 2}, {"0.51", 1}, {"abc", 0}, {"", 0},     {"-1", -1}, {"99999", 0},  // outside 16 bits
  };
  for (const auto& row : rows) EXPECT_EQ(UsePasswordFromText(row.text), row.expected) << row.text;
}

TEST(IsPredefinedRoot, AcceptsOnlyTheSevenRoots) {
  const struct {
    std::uint32_t root;
    bool expected;
  } rows[] = {
      {0x80000000u, true},  {0x80000001u, true}, {0x80000002u, true},  {0x80000006u, true},  {0x80000007u, false},
      {0x7FFFFFFFu, false}, {0u, false},         {0xFFFFFFFFu, false}, {0x80000050u, false},
  };
  for (const auto& row : rows) EXPECT_EQ(IsPredefinedRoot(row.root), row.expected) << std::hex << row.root;
}

}  // namespace
}  // namespace lumiroll
