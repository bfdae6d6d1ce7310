#include "platform/win32/folder_reader.h"

#include <windows.h>

#include <optional>

#include "platform/cloud_files.h"
#include "platform/process.h"
#include "platform/win32/file_system.h"
#include "platform/win32/handles.h"
#include "shared/text_forms.h"

namespace lumiroll {
namespace {

// The name of the last component as the directory that holds it spells it.
std::optional<std::wstring> OnDiskName(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  UniqueFind find(
      ::FindFirstFileExW(LongPathForm(path).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0));
  if (!find) return std::nullopt;
  return std::wstring(found.cFileName);
}

// Walks the path component by component, replacing each by its spelling on disk. The root
// ("C:\" or "\\server\share\") is kept as given, its drive letter upper-cased.
std::wstring SpelledAsOnDisk(const std::wstring& fullPath) {
  std::size_t rootLength = 0;
  if (fullPath.size() >= 3 && fullPath[1] == L':' && fullPath[2] == L'\\') {
    rootLength = 3;
  } else if (fullPath.rfind(L"\\\\", 0) == 0) {
    const std::size_t server = fullPath.find(L'\\', 2);
    const std::size_t share = server == std::wstring::npos ? server : fullPath.find(L'\\', server + 1);
    rootLength = share == std::wstring::npos ? fullPath.size() : share + 1;
  }
  std::wstring result = fullPath.substr(0, rootLength);
  if (rootLength == 3) result[0] = UpperCaseChar(result[0]);
  std::size_t start = rootLength;
  while (start < fullPath.size()) {
    std::size_t end = fullPath.find(L'\\', start);
    if (end == std::wstring::npos) end = fullPath.size();
    const std::wstring component = fullPath.substr(start, end - start);
    if (!component.empty()) {
      if (!result.empty() && result.back() != L'\\') result += L'\\';
      result += OnDiskName(result + component).value_or(component);
    }
    start = end + 1;
  }
  return result;
}

std::wstring PatternForAllEntries(std::wstring_view folder) {
  std::wstring pattern(folder);
  if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
  return LongPathForm(pattern + L'*');
}

}  // namespace

std::wstring FileSystemFolderReader::OpenFolder(std::wstring_view folder) const {
  // An empty text would otherwise resolve to the current folder and count as found.
  const std::optional<std::wstring> full = folder.empty() ? std::nullopt : FullPathName(folder);
  if (full && IsExistingFolder(*full)) return SpelledAsOnDisk(*full);
  return SpelledAsOnDisk(CurrentFolder());
}

std::vector<FolderEntry> FileSystemFolderReader::List(std::wstring_view folder) const {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAW found{};
  // The basic information and large fetches: no short names, fewer trips to the file system.
  UniqueFind find(::FindFirstFileExW(PatternForAllEntries(folder).c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return entries;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const DWORD attributes = found.dwFileAttributes;
    entries.push_back({std::wstring(name), (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       (attributes & FILE_ATTRIBUTE_HIDDEN) != 0, (attributes & FILE_ATTRIBUTE_SYSTEM) != 0,
                       (std::uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow, IsOnlineOnly(attributes)});
  } while (::FindNextFileW(find.get(), &found));
  return entries;
}

}  // namespace lumiroll
