#pragma once
// The few file operations the installer and the uninstaller make, behind an interface so their
// decisions can be tested without a disk. Each operation may fail; none throws.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/long_path.h"  // every path to the disk goes through LongPathForm

namespace lumiroll {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Copies a file, replacing one of the same name at the destination.
  virtual bool CopyReplacing(const std::wstring& from, const std::wstring& to) = 0;
  // Makes one folder; fails when it exists already or cannot be made.
  virtual bool MakeFolder(const std::wstring& path) = 0;
  // Deletes one file; fails when it is missing or cannot be deleted.
  virtual bool Delete(const std::wstring& path) = 0;
  // Size in bytes of a file; nothing when it is missing or is a folder.
  [[nodiscard]] virtual std::optional<std::uint64_t> SizeOf(const std::wstring& path) const = 0;
  // True when a file or folder of that name exists.
  [[nodiscard]] virtual bool Exists(const std::wstring& path) const = 0;
};

}  // namespace lumiroll
