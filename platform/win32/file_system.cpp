#include "platform/file_system.h"

#include <windows.h>

namespace lumiroll {
namespace {

class Win32FileSystem final : public FileSystem {
 public:
  bool CopyReplacing(const std::wstring& from, const std::wstring& to) override {
    return ::CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
  }
  bool MakeFolder(const std::wstring& path) override { return ::CreateDirectoryW(path.c_str(), nullptr) != FALSE; }
  bool Delete(const std::wstring& path) override { return ::DeleteFileW(path.c_str()) != FALSE; }
  std::optional<std::uint64_t> SizeOf(const std::wstring& path) const override {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
  bool Exists(const std::wstring& path) const override {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static Win32FileSystem disk;
  return disk;
}

}  // namespace lumiroll
