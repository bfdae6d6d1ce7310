#include "platform/win32/file_system.h"

#include <windows.h>

namespace lumiroll {
namespace {

class Win32FileSystem final : public FileSystem {
 public:
  bool CopyReplacing(const std::wstring& from, const std::wstring& to) override {
    return ::CopyFileW(LongPathForm(from).c_str(), LongPathForm(to).c_str(), FALSE) != FALSE;
  }
  bool MakeFolder(const std::wstring& path) override {
    return ::CreateDirectoryW(LongPathForm(path).c_str(), nullptr) != FALSE;
  }
  bool Delete(const std::wstring& path) override { return ::DeleteFileW(LongPathForm(path).c_str()) != FALSE; }
  std::optional<std::uint64_t> SizeOf(const std::wstring& path) const override {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(LongPathForm(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
  bool Exists(const std::wstring& path) const override {
    return ::GetFileAttributesW(LongPathForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static Win32FileSystem disk;
  return disk;
}

std::optional<std::wstring> FullPathName(std::wstring_view path) {
  const std::wstring given(path);
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFullPathNameW(given.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0) return std::nullopt;
    if (length < buffer.size()) return buffer.substr(0, length);
    buffer.resize(length + 1);  // the length asked for counts the terminator
  }
}

bool IsExistingFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(LongPathForm(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace lumiroll
