#pragma once
// A load that checks its file's stamp first: a decode made earlier for the same request stands
// while the file keeps its size and write time, and a file that changed while it was read gets
// no stamp, so it is read again when next asked for.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "saver/background_loader.h"

namespace lumiroll {

using FileStampReader = std::function<std::optional<FileStamp>(const std::wstring& path)>;
using FileRead = std::function<std::optional<Picture>()>;

// The job's kept decode when its file is unchanged (a failed one too: a damaged file is not
// read twice); otherwise what read gives, stamped before and after.
[[nodiscard]] std::shared_ptr<const DecodedPicture> LoadStamped(LoadJob& job, const FileStampReader& stampOf,
                                                                const FileRead& read);

}  // namespace lumiroll
