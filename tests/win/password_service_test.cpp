// The screen saver's password service against the real registry and the desktop's state.
#include <windows.h>
#include <gtest/gtest.h>

#include "platform/process.h"
#include "saver/win32/password.h"
#include "saver/win32/read_registry_value.h"

namespace lumiroll {
namespace {

using namespace std::string_literals;  // values with embedded zero bytes

constexpr char kTestKey[] = "Software\\LumirollTest\\RegistryValue";
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kFlagName[] = "ScreenSaveUsePassword";

struct StoredValue {
  DWORD type;
  std::string bytes;
};

void Store(const char* key, const char* name, const StoredValue& value) {
  ::RegSetKeyValueA(HKEY_CURRENT_USER, key, name, value.type, value.bytes.data(),
                    static_cast<DWORD>(value.bytes.size()));
}

std::string DwordBytes(DWORD number) { return std::string(reinterpret_cast<const char*>(&number), sizeof number); }

std::optional<StoredValue> Stored(const char* key, const char* name) {
  char buffer[4096];
  DWORD size = sizeof buffer, type = 0;
  if (::RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return StoredValue{type, std::string(buffer, size)};
}

class ReadRegistryValueTest : public testing::Test {
 protected:
  void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\LumirollTest"); }
};

TEST_F(ReadRegistryValueTest, ReadsEachKindOfValueAsItsText) {
  const struct {
    StoredValue stored;
    std::string text;
  } rows[] = {
      {{REG_SZ, "1\0"s}, "1"},
      {{REG_SZ, "2\0"s}, "2"},
      {{REG_SZ, "\0"s}, ""},
      {{REG_DWORD, DwordBytes(1)}, "001"},
      {{REG_DWORD, DwordBytes(0)}, "000"},
      {{REG_DWORD, DwordBytes(25)}, "025"},
      {{REG_DWORD, DwordBytes(1000)}, "100"},
      {{REG_BINARY, "\x01\0\0\0"s}, "\x01\0\0"s},
      {{REG_BINARY, ""}, ""},
      {{REG_SZ, std::string(254, 'x') + '\0'}, std::string(254, 'x')},  // exactly fills the buffer
      {{REG_SZ, std::string(255, 'x') + '\0'}, ""},                     // one byte too long
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "type " << row.stored.type << ", " << row.stored.bytes.size() << " bytes");
    Store(kTestKey, "Value", row.stored);
    EXPECT_EQ(ReadRegistryValue(kCurrentUserRoot, kTestKey, "Value"), row.text);
  }
}

TEST_F(ReadRegistryValueTest, WhatCannotBeReadGivesTheEmptyText) {
  Store(kTestKey, "Value", {REG_SZ, "1\0"s});
  EXPECT_EQ(ReadRegistryValue(kCurrentUserRoot, kTestKey, "Value"), "1");
  EXPECT_EQ(ReadRegistryValue(kCurrentUserRoot, kTestKey, "Missing"), "");
  EXPECT_EQ(ReadRegistryValue(kCurrentUserRoot, "Software\\LumirollTest\\Missing", "Value"), "");
  for (std::uint32_t root : {0x80000007u, 0x7FFFFFFFu, 0u, 0xFFFFFFFFu})
    EXPECT_EQ(ReadRegistryValue(root, kTestKey, "Value"), "") << std::hex << root;
}

TEST_F(ReadRegistryValueTest, ReadsTheOtherPredefinedRoots) {
  // HKEY_LOCAL_MACHINE: a key every Windows has.
  EXPECT_NE(ReadRegistryValue(0x80000002u, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion"), "");
}

class UsePasswordTest : public testing::Test {
 protected:
  void SetUp() override { original_ = Stored(kDesktopKey, kFlagName); }
  void TearDown() override {
    if (original_) Store(kDesktopKey, kFlagName, *original_);
    else ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, kFlagName);
  }

 private:
  std::optional<StoredValue> original_;
};

TEST_F(UsePasswordTest, ComesFromTheDesktopsFlagInAnyOfItsForms) {
  const struct {
    std::optional<StoredValue> stored;
    std::int16_t expected;
  } rows[] = {
      {StoredValue{REG_SZ, "1\0"s}, 1},
      {StoredValue{REG_DWORD, DwordBytes(1)}, 1},
      {StoredValue{REG_DWORD, DwordBytes(0)}, 0},
      {StoredValue{REG_SZ, "2\0"s}, 2},
      {StoredValue{REG_BINARY, "\x01\0\0\0"s}, 0},
      {std::nullopt, 0},
  };
  for (const auto& row : rows) {
    if (row.stored) Store(kDesktopKey, kFlagName, *row.stored);
    else ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, kFlagName);
    EXPECT_EQ(ReadUsePassword(), row.expected) << (row.stored ? row.stored->type : 0u);
  }
}

bool DesktopSaysScreenSaverRuns() {
  BOOL running = FALSE;
  ::SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  return running != FALSE;
}

TEST(ScreenSaverRunning, IsSetAndClearedOnTheDesktop) {
  SetScreenSaverRunning(true);
  EXPECT_TRUE(DesktopSaysScreenSaverRuns());
  SetScreenSaverRunning(false);
  EXPECT_FALSE(DesktopSaysScreenSaverRuns());
}

TEST(PasswordService, WithoutTheDesktopsPasswordLibrariesTheCloseIsGrantedAndNothingIsAsked) {
  ASSERT_FALSE(::GetFileAttributesW((SystemFolder() + L"\\password.cpl").c_str()) != INVALID_FILE_ATTRIBUTES)
      << "the prefix has a password.cpl";
  EXPECT_TRUE(VerifyScreenSavePassword(nullptr));
}

}  // namespace
}  // namespace lumiroll
