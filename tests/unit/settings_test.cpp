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
  store.values = {
      {L"PhotoDisplayTime", L" 7.5"}, {L"PhotoSize", L"1.5"}, {L"PhotoDirectory", L""}, {L"PhotoOrder", L"2.5abc"}};
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
  EXPECT_TRUE(SaveSettings(store, saved).empty());
  EXPECT_EQ(store.writes,
            (std::vector<std::wstring>{L"PhotoDisplayTime", L"PhotoSize", L"PhotoDirectory", L"PhotoOrder"}));
  EXPECT_EQ(store.values[L"PhotoDisplayTime"], L"2.5");
  EXPECT_EQ(store.values[L"PhotoSize"], L"2");
  EXPECT_EQ(store.values[L"PhotoDirectory"], L"C:\\Фото\\Été 2024");
  EXPECT_EQ(store.values[L"PhotoOrder"], L"2");
  EXPECT_EQ(LoadSettings(store), saved);
}

TEST(SaveSettings, ReportsEachKeyNotWrittenAndStillWritesTheOthers) {
  struct Row {
    std::set<std::wstring, std::less<>> refused;
    std::vector<std::wstring_view> unsaved;
    std::wstring message;
  };
  const Row rows[] = {
      {{L"PhotoDirectory"}, {L"PhotoDirectory"}, L"Lumiroll could not save the photo folder."},
      {{L"PhotoOrder", L"PhotoDisplayTime"},
       {L"PhotoDisplayTime", L"PhotoOrder"},
       L"Lumiroll could not save the photo display time and photo order."},
      {{L"PhotoDisplayTime", L"PhotoSize", L"PhotoDirectory", L"PhotoOrder"},
       {L"PhotoDisplayTime", L"PhotoSize", L"PhotoDirectory", L"PhotoOrder"},
       L"Lumiroll could not save the photo display time, photo size, photo folder and photo order."},
  };
  for (const Row& row : rows) {
    RecordingStore store;
    store.refused = row.refused;
    const std::vector<std::wstring_view> unsaved = SaveSettings(store, Settings{5.0, kFitScreen, L"C:\\P", kRandom});
    EXPECT_EQ(unsaved, row.unsaved);
    EXPECT_EQ(store.writes.size(), 4u);  // a failure does not stop the writes after it
    EXPECT_EQ(store.values.size(), 4u - row.refused.size());
    EXPECT_EQ(SettingsNotSavedMessage(unsaved), row.message);
  }
}

}  // namespace
}  // namespace lumiroll
