#pragma once
// The next photograph, decoded on a worker thread while the current one is on the screen. Each
// decode is tagged with the list position, path and draw bound it was made for, and with the
// file's size and write time, so that at its due time it is used only when it is exactly what a
// load then would give.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "saver/decoded_picture.h"

namespace lumiroll {

using FileStampReader = std::function<std::optional<FileStamp>(const std::wstring& path)>;
using PictureReader = std::function<std::optional<Picture>(const DecodeRequest& request)>;

// Loads one request, stamping the file before and after: a file that changed while it was read
// gets no stamp, so it is loaded again at its due time.
[[nodiscard]] DecodedPicture DecodeStamped(const DecodeRequest& request, const FileStampReader& stampOf,
                                           const PictureReader& load);

// A decode made ahead stands for a load now only when it was made for this request and the file
// still has the stamp it had then. A file deleted or changed since is loaded again, as if nothing
// had been decoded ahead.
[[nodiscard]] bool StillCurrent(const DecodedPicture& decoded, const DecodeRequest& request,
                                const std::optional<FileStamp>& stampNow);

// One worker thread that decodes one request at a time; a newer request replaces one not yet
// begun. It holds at most one finished picture.
class DecodeAhead {
 public:
  using Decode = std::function<DecodedPicture(const DecodeRequest&)>;
  // finished is called on the worker thread after each decode.
  DecodeAhead(Decode decode, std::function<void()> finished);
  DecodeAhead(const DecodeAhead&) = delete;
  DecodeAhead& operator=(const DecodeAhead&) = delete;
  // Lets a decode under way finish, then ends the thread.
  ~DecodeAhead();

  // Asks for a decode; nothing new when this one is already under way or finished.
  void Request(DecodeRequest request);
  // The decode made for exactly this request, waiting for it while it is under way. Nothing when
  // another was asked for, or when it has not begun (the caller then loads it sooner itself); a
  // decode for another request, finished or under way, is dropped.
  [[nodiscard]] std::optional<DecodedPicture> Take(const DecodeRequest& request);

 private:
  void Run();
  [[nodiscard]] DecodedPicture DecodeCatching(const DecodeRequest& request);

  Decode decode_;
  std::function<void()> finished_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<DecodeRequest> queued_;
  std::optional<DecodeRequest> underWay_;
  std::optional<DecodedPicture> done_;
  bool staleUnderWay_ = false;  // the decode under way was passed over by a Take for another
  bool stopping_ = false;
  std::thread thread_;  // last: starts once everything above is ready
};

}  // namespace lumiroll
