#include "saver/config/win32/disk_folders.h"

#include <windows.h>

#include "platform/win32/file_system.h"
#include "platform/win32/folder_reader.h"
#include "platform/win32/handles.h"
#include "saver/config/folder_rows.h"

namespace lumiroll {
namespace {

bool IsRoot(const std::wstring& path) { return path.size() == 3 && path[1] == L':' && path[2] == L'\\'; }

std::wstring WithoutTrailingSeparator(std::wstring path) {
  while (path.size() > 1 && path.back() == L'\\' && !IsRoot(path)) path.pop_back();
  return path;
}

std::wstring AllIn(const std::wstring& folder) { return folder.ends_with(L'\\') ? folder + L"*" : folder + L"\\*"; }

std::wstring FixedDriveLabel(const std::wstring& root) {
  if (::GetDriveTypeW(root.c_str()) != DRIVE_FIXED) return {};  // asking a removable drive can be slow
  wchar_t label[MAX_PATH + 1] = {};
  if (!::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) return {};
  return label;
}

}  // namespace

std::optional<std::wstring> DiskFolders::OpenableFolder(std::wstring_view folder) const {
  if (folder.empty()) return std::nullopt;
  const std::wstring full = WithoutTrailingSeparator(FullPathName(folder).value_or(std::wstring()));
  if (full.empty() || !IsExistingFolder(full)) return std::nullopt;
  WIN32_FIND_DATAW found;
  UniqueFind listing(::FindFirstFileExW(LongPathForm(AllIn(full)).c_str(), FindExInfoBasic, &found,
                                        FindExSearchNameMatch, nullptr, 0));
  if (!listing) return std::nullopt;
  return FileSystemFolderReader().OpenFolder(full);
}

std::vector<FolderEntry> DiskFolders::Entries(std::wstring_view folder) const {
  return FileSystemFolderReader().List(folder);
}

std::vector<DriveChoice> DiskFolders::Drives() const {
  std::vector<DriveChoice> drives;
  const DWORD present = ::GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(present & (1u << i))) continue;
    const wchar_t letter = static_cast<wchar_t>(L'A' + i);
    const std::wstring root{letter, L':', L'\\'};
    drives.push_back({letter, DriveListText(letter, FixedDriveLabel(root))});
  }
  return drives;
}

}  // namespace lumiroll
