#pragma once
// Reading a whole file into memory, for the files the program reads at once (pictures and colour
// profiles), with a limit on the size it is willing to hold.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/file_system.h"
#include "platform/win32/handles.h"

namespace lumiroll {

// Told after each block of a file is read; false stops the read, which then fails.
using BlockRead = std::function<bool()>;

// The file's bytes; nothing when it cannot be opened or read, or holds more than maxBytes, or
// blockRead stops it. Read in small blocks, so that a slow file shows its progress block by block.
// Others may write or delete the file meanwhile: a file changed while read is the caller's worry.
[[nodiscard]] inline std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::wstring& path,
                                                                            std::uint64_t maxBytes,
                                                                            const BlockRead& blockRead = {}) {
  constexpr std::size_t kBlockBytes = std::size_t{256} * 1024;
  UniqueFile file(::CreateFileW(LongPathForm(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > maxBytes)
    return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min(bytes.size() - done, kBlockBytes));
    if (!::ReadFile(file.get(), bytes.data() + done, wanted, &read, nullptr) || read == 0) return std::nullopt;
    done += read;
    if (blockRead && !blockRead()) return std::nullopt;
  }
  return bytes;
}

}  // namespace lumiroll
