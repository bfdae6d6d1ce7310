#pragma once
// The loader's jobs on this system: a picture file is read in small blocks, each telling the job
// that data came, and a read that blocks can be cancelled by the loader while the job runs.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "saver/background_loader.h"

namespace lumiroll {

// The file's size and last-write time; nothing when it is missing or a folder.
[[nodiscard]] std::optional<FileStamp> ReadFileStamp(const std::wstring& path);

// What the caller keeps of a freshly decoded picture (a fitted frame, say).
using PictureShaper = std::function<std::optional<Picture>(Picture picture, const DecodeRequest& request)>;

// The job's picture at its request's bound, stamped; the job's kept decode while its file is
// unchanged. Runs on the job's worker thread; touches no window.
[[nodiscard]] std::shared_ptr<const DecodedPicture> LoadJobPicture(LoadJob& job, const PictureShaper& shape = {});

// The loader's options here: the millisecond counter as its clock, the standard threads.
[[nodiscard]] LoaderOptions SystemLoaderOptions();

}  // namespace lumiroll
