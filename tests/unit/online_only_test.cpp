// Online-only files: told by their attributes, marked in the listing, downloaded apart while the
// show goes on with the photographs on the disk, and shown at their turn once arrived.
#include <gtest/gtest.h>

#include <future>
#include <map>

#include "loader_fakes.h"
#include "platform/cloud_files.h"
#include "saver/downloads.h"
#include "saver/image_list.h"
#include "saver/picture_feed.h"

namespace lumiroll {
namespace {

TEST(IsOnlineOnly, ThePlaceholdersAttributesWhateverElseIsSet) {
  const struct {
    std::uint32_t attributes;
    bool expected;
  } rows[] = {
      {0x00000020, false},                           // archive: on the disk
      {0x00000080, false},                           // normal
      {0x00400000, true},                            // recall on data access: OneDrive's Files On-Demand
      {0x00040000, true},                            // recall on open
      {0x00001000, true},                            // offline
      {0x00400000 | 0x00000020 | 0x00080000, true},  // with archive and pinned
      {0x00080000 | 0x00000020, false},              // pinned: kept on the disk
  };
  for (const auto& row : rows) EXPECT_EQ(IsOnlineOnly(row.attributes), row.expected) << std::hex << row.attributes;
}

class OneFolder final : public FolderReader {
 public:
  std::vector<FolderEntry> entries;
  std::wstring OpenFolder(std::wstring_view) const override { return L"C:\\Photos"; }
  std::vector<FolderEntry> List(std::wstring_view) const override { return entries; }
};

TEST(BuildImageList, TellsWhichImagesAreOnlineOnly) {
  OneFolder folder;
  folder.entries = {{L"b.jpg", false, false, false, 10, true},
                    {L"a.jpg"},
                    {L"notes.txt", false, false, false, 5, true},
                    {L"c.gif", false, false, false, 7, true}};
  std::int16_t count = 0;
  std::vector<std::wstring> names, online;
  BuildImageList(L"C:\\Photos", ImagePattern, count, names, folder, &online);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"a.jpg", L"b.jpg", L"c.gif"}));
  EXPECT_EQ(online, (std::vector<std::wstring>{L"b.jpg", L"c.gif"})) << "images only, in the list's order";
}

// The show over a loader whose loads finish at once and downloads the test lets arrive.
class OnlineShow {
 public:
  OnlineShow(std::int16_t count, const std::vector<std::wstring>& online)
      : rig_({}), engine_(state_, count, 1), downloads_([this](const std::wstring& path) { return Fetch(path); },
                                                        [this] { ++arrived_; }, 2, threads_.Starter()) {
    state_.PhotoDisplayTime = 5.0;
    std::vector<std::wstring> names;
    for (std::int16_t i = 1; i <= count; ++i) names.push_back(std::to_wstring(i) + L".jpg");
    MarkOnlineOnly(downloads_, names, online, [](const std::wstring& name) { return L"C:\\Photos\\" + name; });
    feed_.emplace(engine_, *rig_.loader, [](const ShowCycle& cycle) { return test::RequestOf(cycle.image); });
    feed_->PassOver([this](std::int16_t image) { return downloads_.Available(image); });
    engine_.Begin(0);
  }
  ~OnlineShow() {  // every download let go before its thread is joined
    std::lock_guard lock(mutex_);
    for (auto& [path, arrival] : arrivals_)
      if (!arrival.given) arrival.promise.set_value(false), arrival.given = true;
  }

  // True when no photograph can be shown: nothing is asked of the loader then.
  bool NothingToShow() { return !feed_->TakeDue(); }
  // The image painted at this due time, once its load is in.
  std::int16_t ShowAt(std::uint32_t now) {
    std::optional<ReadyCycle> ready;
    const bool any = test::Eventually([&] {
      ready = feed_->TakeDue();
      return ready.has_value();
    });
    if (!any) return 0;
    feed_->Painted(now);
    return ready->cycle.image;
  }
  void Arrive(const std::wstring& name, bool whole = true) {
    std::lock_guard lock(mutex_);
    auto& arrival = arrivals_[L"C:\\Photos\\" + name];
    if (!arrival.given) arrival.promise.set_value(whole), arrival.given = true;
  }
  void WaitForArrivals(int count) {
    EXPECT_TRUE(test::Eventually([&] { return arrived_ >= count; }));
  }
  [[nodiscard]] bool Fetches(std::size_t count) {
    return test::Eventually([&] { return Fetched().size() == count; });
  }
  [[nodiscard]] std::vector<std::wstring> Fetched() {
    std::lock_guard lock(mutex_);
    return fetched_;
  }

 private:
  struct Arrival {
    std::promise<bool> promise;
    bool given = false;
  };
  bool Fetch(const std::wstring& path) {
    std::future<bool> whole;
    {
      std::lock_guard lock(mutex_);
      fetched_.push_back(path);
      whole = arrivals_[path].promise.get_future();
    }
    return whole.get();  // as long as the download takes: never cancelled
  }

  test::LoaderRig rig_;
  ShowState state_;
  ShowEngine engine_;
  std::mutex mutex_;
  std::map<std::wstring, Arrival> arrivals_;
  std::vector<std::wstring> fetched_;
  std::atomic<int> arrived_ = 0;
  test::LoaderThreads threads_;  // the downloads' threads, joined before the arrivals go
  Downloads downloads_;
  std::optional<PictureFeed> feed_;
};

TEST(OnlineOnlyShow, TheShowGoesOnWithThePhotographsOnTheDiskAndShowsAnArrivedOneAtItsTurn) {
  OnlineShow show(3, {L"2.jpg"});
  EXPECT_EQ(show.ShowAt(0), 1);
  EXPECT_EQ(show.ShowAt(5000), 3) << "the online-only second is passed over while it downloads";
  ASSERT_TRUE(show.Fetches(1));
  EXPECT_EQ(show.Fetched(), (std::vector<std::wstring>{L"C:\\Photos\\2.jpg"}));
  EXPECT_EQ(show.ShowAt(10000), 1);
  EXPECT_EQ(show.ShowAt(15000), 3) << "still downloading, however long: no limit, no cancel";
  show.Arrive(L"2.jpg");
  show.WaitForArrivals(1);
  EXPECT_EQ(show.ShowAt(20000), 1);
  EXPECT_EQ(show.ShowAt(25000), 2) << "arrived: shown at its turn";
  EXPECT_EQ(show.ShowAt(30000), 3);
  EXPECT_EQ(show.Fetched().size(), 1u) << "downloaded once";
}

TEST(OnlineOnlyShow, WithEveryPhotographOnlineOnlyTheFirstToArriveIsShownAndAFailedOneIsTriedAgain) {
  OnlineShow show(3, {L"1.jpg", L"2.jpg", L"3.jpg"});
  EXPECT_TRUE(show.NothingToShow()) << "nothing on the disk yet";
  EXPECT_TRUE(show.Fetches(2)) << "two downloads at once, the third waits";
  show.Arrive(L"2.jpg");
  show.WaitForArrivals(1);
  EXPECT_EQ(show.ShowAt(0), 2);
  show.Arrive(L"1.jpg", false);  // the download failed
  show.WaitForArrivals(2);
  EXPECT_EQ(show.ShowAt(5000), 2) << "the third is under way, the first failed: the second again";
  EXPECT_TRUE(show.Fetches(4)) << "the third began when a thread was free, the first was asked again";
}

}  // namespace
}  // namespace lumiroll
