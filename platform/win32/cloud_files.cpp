#include "platform/cloud_files.h"

#include <windows.h>

#include <vector>

#include "platform/file_system.h"
#include "platform/win32/handles.h"

namespace lumiroll {

bool DownloadWhole(const std::wstring& path) {
  UniqueFile file(::CreateFileW(LongPathForm(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  std::vector<char> block(std::size_t{256} * 1024);
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &read, nullptr)) return false;
    if (read == 0) return true;
  }
}

}  // namespace lumiroll
