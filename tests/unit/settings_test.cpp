#include "settings/settings.h"

#include <gtest/gtest.h>

#include <vector>

#include "recording_store.h"

namespace lumiroll {
namespace {

using testing::RecordingStore;

TEST(LoadSettings, NothingStoredGivesTheNotConfiguredValues) {
  const Settings settings = LoadSettings(RecordingStore());
  EXPECT_EQ(settings.PhotoDisplayTime, 0);
  EXPECT_EQ(settings.PhotoSize, 0);
  EXPECT_EQ(settings.PhotoDirectory, L"0");
  EXPECT_EQ(settings.PhotoOrder, 0);
}

TEST(LoadSettings, ReadsEachTextByItsRule) {
  RecordingStore store;
  store.values = {{L"PhotoDisplayTime", L" 7.5"}, {L"PhotoSize", L"1.5"},
                  {L"PhotoDirectory", L""}, {L"PhotoOrder", L"2.5abc"}};
  const Settings settings = LoadSettings(store);
  EXPECT_EQ(settings.PhotoDisplayTime, 7.5);
  EXPECT_EQ(settings.PhotoSize, 2);
  EXPECT_EQ(settings.PhotoDirectory, L"");  // empty is not the not-configured "0"
  EXPECT_EQ(settings.PhotoOrder, 2);

  store.values[L"PhotoSize"] = L"0.4";
  store.values[L"PhotoOrder"] = L"99999";  // beyond 16 bits: not configured
  EXPECT_EQ(LoadSettings(store).PhotoSize, 0);
  EXPECT_EQ(LoadSettings(store).PhotoOrder, 0);
}

TEST(SaveSettings, WritesTheFourTextsInOrderAndReadsThemBack) {
  RecordingStore store;
  const Settings saved{2.5, kActualSize, L"C:\\Фото\\Été 2024", kRandom};
  SaveSettings(store, saved);
  EXPECT_EQ(store.writes, (std::vector<std::wstring>{L"PhotoDisplayTime", L"PhotoSize", L"PhotoDirectory",
                                                     L"PhotoOrder"}));
  EXPECT_EQ(store.values[L"PhotoDisplayTime"], L"2.5");
  EXPECT_EQ(store.values[L"PhotoSize"], L"2");
  EXPECT_EQ(store.values[L"PhotoDirectory"], L"C:\\Фото\\Été 2024");
  EXPECT_EQ(store.values[L"PhotoOrder"], L"2");
  EXPECT_EQ(LoadSettings(store), saved);
}

}  // namespace
}  // namespace lumiroll
