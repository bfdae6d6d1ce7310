#include "saver/win32/picture_file_loads.h"

#include <windows.h>

#include <utility>

#include "platform/millisecond_clock.h"
#include "platform/win32/file_system.h"
#include "platform/win32/handles.h"
#include "platform/win32/picture_loader.h"
#include "saver/stamped_load.h"

namespace lumiroll {
namespace {

// While it lives, the loader can cancel the synchronous reads of this thread, and only for this
// job: the worker goes on to other jobs. A read the system cannot cancel (a stalled network or
// FUSE file under some systems) blocks on; the loader then leaves the worker behind.
class CancellableHere {
 public:
  explicit CancellableHere(LoadJob& job)
      : job_(job), thread_(::OpenThread(THREAD_TERMINATE, FALSE, ::GetCurrentThreadId())) {
    if (thread_) job_.SetCanceller([thread = thread_.get()] { (void)::CancelSynchronousIo(thread); });
  }
  CancellableHere(const CancellableHere&) = delete;
  CancellableHere& operator=(const CancellableHere&) = delete;
  ~CancellableHere() { job_.SetCanceller(nullptr); }  // before the handle closes

 private:
  LoadJob& job_;
  UniqueHandle thread_;
};

std::optional<Picture> ReadAndDecode(LoadJob& job, const PictureShaper& shape) {
  const DecodeRequest& request = job.request();
  std::optional<std::vector<std::uint8_t>> bytes = ReadPictureFile(request.path, [&job] {
    job.Progressed();
    return !job.GivenUp();
  });
  job.ReadingDone();
  if (!bytes) return std::nullopt;
  std::optional<Picture> picture = LoadPictureBytes(*bytes, request.bound, request.display);
  bytes.reset();  // the file's bytes go before a frame is made: less held at once
  if (!picture || !shape) return picture;
  return shape(std::move(*picture), request);
}

}  // namespace

std::optional<FileStamp> ReadFileStamp(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(LongPathForm(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  const auto join = [](DWORD high, DWORD low) { return static_cast<std::uint64_t>(high) << 32 | low; };
  return FileStamp{join(data.nFileSizeHigh, data.nFileSizeLow),
                   join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

std::shared_ptr<const DecodedPicture> LoadJobPicture(LoadJob& job, const PictureShaper& shape) {
  const CancellableHere cancellable(job);
  return LoadStamped(job, &ReadFileStamp, [&] { return ReadAndDecode(job, shape); });
}

LoaderOptions SystemLoaderOptions() {
  LoaderOptions options;
  options.clock = &MillisecondClock;  // the clock the show and the dialog watch the loads by
  return options;
}

}  // namespace lumiroll
