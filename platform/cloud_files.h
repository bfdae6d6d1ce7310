#pragma once
// Files that are not on the disk until read: a cloud's placeholders (OneDrive's Files
// On-Demand, on by default and often holding Pictures) and files moved to remote storage.
#include <cstdint>
#include <string>

namespace lumiroll {

// True for the attributes of a file whose data the system fetches from elsewhere when it is
// read or opened: FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS, RECALL_ON_OPEN or OFFLINE.
[[nodiscard]] bool IsOnlineOnly(std::uint32_t attributes);

// Reads the whole file and drops what it read, so that the system brings all of it to the disk;
// true when all of it came (Win32 only). Never cancelled: that would abort the download.
[[nodiscard]] bool DownloadWhole(const std::wstring& path);

}  // namespace lumiroll
