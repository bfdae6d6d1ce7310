// The settings store against the real registry.
#include "settings/win32/registry_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/handles.h"

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
  SaveSettings(store, saved);
  EXPECT_EQ(RawText(L"PhotoDisplayTime"), L"5");
  EXPECT_EQ(RawText(L"PhotoSize"), L"2");
  EXPECT_EQ(RawText(L"PhotoDirectory"), saved.PhotoDirectory);
  EXPECT_EQ(RawText(L"PhotoOrder"), L"2");
  EXPECT_EQ(LoadSettings(store), saved);

  Settings fraction = saved;
  fraction.PhotoDisplayTime = 2.5;
  SaveSettings(store, fraction);
  EXPECT_EQ(RawText(L"PhotoDisplayTime"), L"2.5");
  EXPECT_EQ(LoadSettings(store).PhotoDisplayTime, 2.5);
}

TEST_F(RegistryStoreTest, AnEmptyStoredFolderReadsAsEmpty) {
  store.Write(L"PhotoDirectory", L"");
  EXPECT_EQ(LoadSettings(store).PhotoDirectory, L"");
}

TEST_F(RegistryStoreTest, LongValuesRoundTrip) {
  const std::wstring longPath = L"C:\\" + std::wstring(5000, L'x');
  store.Write(L"PhotoDirectory", longPath);
  EXPECT_EQ(store.Read(L"PhotoDirectory"), longPath);
}

TEST_F(RegistryStoreTest, DeletingTheSectionRemovesAllKeysAndTheEmptyApplicationKey) {
  SaveSettings(store, Settings{5, 2, L"C:\\x", 2});
  store.DeleteSection();
  EXPECT_EQ(LoadSettings(store), Settings{});
  UniqueKey application;
  EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Lumiroll", 0, KEY_READ, application.put()),
            ERROR_SUCCESS);
  store.DeleteSection();  // nothing there: no harm
}

TEST_F(RegistryStoreTest, DeletingTheSectionKeepsOtherDataOfTheApplication) {
  SaveSettings(store, Settings{5, 2, L"C:\\x", 2});
  ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Lumiroll\\Other", L"v", REG_SZ, L"1", 4);
  store.DeleteSection();
  UniqueKey other;
  EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Lumiroll\\Other", 0, KEY_READ, other.put()),
            ERROR_SUCCESS);
}

}  // namespace
}  // namespace lumiroll
