#pragma once
// Online-only files (a cloud's placeholders: OneDrive's Files On-Demand) in the show. Reading
// one makes the system download it, and its first data may take longer than any no-data limit;
// cancelling the read would abort the download, so such a photograph would never be shown. So
// they are downloaded apart, never cancelled and never held to a limit, a bounded number at once,
// while the show goes on with the photographs on the disk; one that has arrived is shown at its turn.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace lumiroll {

class Downloads {
 public:
  // Reads the whole file, on a worker thread; true when all of it came.
  using Fetch = std::function<bool(const std::wstring& path)>;
  // Starts a thread that runs work and is never joined; false when none can be started.
  // Empty: the standard library's threads.
  using StartThread = std::function<bool(std::function<void()> work)>;

  // arrived is called on the worker thread after each download ends; it must only signal.
  Downloads(Fetch fetch, std::function<void()> arrived, int maxAtOnce = 2, StartThread startThread = {});
  Downloads(const Downloads&) = delete;
  Downloads& operator=(const Downloads&) = delete;
  // Never waits: downloads under way end on their own threads, unheard.
  ~Downloads();

  // The image (its list entry) is an online-only file at this path.
  void MarkOnlineOnly(std::int16_t image, std::wstring path);
  // True when the image can be shown now: on the disk, or downloaded. Otherwise its download is
  // asked for (once; again after one that failed) and false is the answer.
  [[nodiscard]] bool Available(std::int16_t image);

 private:
  enum class State { Waiting, UnderWay, Arrived };
  struct File {
    std::wstring path;
    State state = State::Waiting;
    bool asked = false;
  };
  struct Shared {
    Fetch fetch;
    std::function<void()> arrived;
    StartThread startThread;
    int maxAtOnce = 2;
    std::mutex mutex;
    std::map<std::int16_t, File> files;
    int underWay = 0;
    bool ended = false;
  };
  // The next asked-for file a thread may take, marked under way; 0 when none.
  static std::int16_t BeginNext(Shared& shared);
  static void Start(const std::shared_ptr<Shared>& shared, std::int16_t image);

  std::shared_ptr<Shared> shared_;  // outlives this while its threads run
};

// Marks the entries of ImageNames (from 1) whose names are among onlineOnly, each at its path.
void MarkOnlineOnly(Downloads& downloads, const std::vector<std::wstring>& ImageNames,
                    const std::vector<std::wstring>& onlineOnly,
                    const std::function<std::wstring(const std::wstring& name)>& pathOf);

}  // namespace lumiroll
