// The settings store against the real registry.
#include "settings/win32/registry_store.h"

#include <windows.h>
#include <gtest/gtest.h>

#include "platform/win32/handles.h"

namespace lumiroll {
namespace {

constexpr wchar_t kSection[] = L"Software\\Lumiroll\\Settings";

std::optional<std::wstring> RawText(const wchar_t* name) {
  wchar_t buffer[1024];
  DWORD size = sizeof buffer, type = 0;
  if (::RegGetValueW(HKEY_CURRENT_USER, kSection, name, RRF_RT_ANY, &type, buffer, &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return std::nullopt;
  return std::wstring(buffer);
}

class RegistryStoreTest : public testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumiroll"); }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumiroll"); }
  RegistrySettingsStore store;
};

TEST_F(RegistryStoreTest, NothingStoredLoadsAsNotConfigured) {
  EXPECT_EQ(LoadSettings(store), Settings{});
  EXPECT_EQ(LoadSettings(store).PhotoDirectory, L"0");
}

TEST_F(RegistryStoreTest, SavedSettingsAreTextValuesThatLoadBack) {
  const Settings saved{5, kActualSize, L"C:\\Фото\\Été 2024 写真", kRandom};
  ASSERT_TRUE(SaveSettings(store, saved).empty());
  EXPECT_EQ(RawText(L"PhotoDisplayTime"), L"5");
  EXPECT_EQ(RawText(L"PhotoSize"), L"2");
  EXPECT_EQ(RawText(L"PhotoDirectory"), saved.PhotoDirectory);
  EXPECT_EQ(RawText(L"PhotoOrder"), L"2");
  EXPECT_EQ(LoadSettings(store), saved);

  Settings fraction = saved;
  fraction.PhotoDisplayTime = 2.5;
  ASSERT_TRUE(SaveSettings(store, fraction).empty());
  EXPECT_EQ(RawText(L"PhotoDisplayTime"), L"2.5");
  EXPECT_EQ(LoadSettings(store).PhotoDisplayTime, 2.5);
}

TEST_F(RegistryStoreTest, AnEmptyStoredFolderReadsAsEmpty) {
  ASSERT_TRUE(store.Write(L"PhotoDirectory", L""));
  EXPECT_EQ(LoadSettings(store).PhotoDirectory, L"");
}

TEST_F(RegistryStoreTest, LongValuesRoundTrip) {
  const std::wstring longPath = L"C:\\" + std::wstring(5000, L'x');
  ASSERT_TRUE(store.Write(L"PhotoDirectory", longPath));
  EXPECT_EQ(store.Read(L"PhotoDirectory"), longPath);
}

TEST_F(RegistryStoreTest, DeletingTheSectionRemovesAllKeysAndTheEmptyApplicationKey) {
  ASSERT_TRUE(SaveSettings(store, Settings{5, 2, L"C:\\x", 2}).empty());
  store.DeleteSection();
  EXPECT_EQ(LoadSettings(store), Settings{});
  UniqueKey application;
  EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Lumiroll", 0, KEY_READ, application.put()), ERROR_SUCCESS);
  store.DeleteSection();  // nothing there: no harm
}

TEST_F(RegistryStoreTest, DeletingTheSectionKeepsOtherDataOfTheApplication) {
  ASSERT_TRUE(SaveSettings(store, Settings{5, 2, L"C:\\x", 2}).empty());
  ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Lumiroll\\Other", L"v", REG_SZ, L"1", 4);
  store.DeleteSection();
  UniqueKey other;
  EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Lumiroll\\Other", 0, KEY_READ, other.put()), ERROR_SUCCESS);
}

// An application key made volatile takes no lasting subkey, so the section cannot be made.
TEST_F(RegistryStoreTest, AnUnwritableSectionIsReportedAndStoresNothing) {
  UniqueKey application;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Lumiroll", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, application.put(), nullptr),
            ERROR_SUCCESS);
  EXPECT_FALSE(store.Write(L"PhotoOrder", L"2"));
  EXPECT_EQ(SaveSettings(store, Settings{5, 2, L"C:\\x", 2}),
            (std::vector<std::wstring_view>{L"PhotoDisplayTime", L"PhotoSize", L"PhotoDirectory", L"PhotoOrder"}));
  EXPECT_EQ(LoadSettings(store), Settings{});
}

}  // namespace
}  // namespace lumiroll
