#include "saver/config/folder_rows.h"

#include <algorithm>

#include "shared/text_forms.h"

namespace lumiroll {
namespace {

struct SplitPath {
  std::wstring root;  // with its trailing backslash
  std::vector<std::wstring> names;
};

std::vector<std::wstring> SplitNames(std::wstring_view rest) {
  std::vector<std::wstring> names;
  std::size_t start = 0;
  while (start <= rest.size()) {
    const std::size_t end = std::min(rest.find(L'\\', start), rest.size());
    if (end > start) names.emplace_back(rest.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

// "C:\A\B" → root "C:\", names A, B; "\\server\share\A" → root "\\server\share\", names A.
SplitPath Split(std::wstring_view folder) {
  std::size_t rootLength = 0;
  if (folder.size() >= 2 && folder[1] == L':') {
    rootLength = std::min<std::size_t>(3, folder.size());
  } else if (folder.starts_with(L"\\\\")) {
    const std::size_t serverEnd = folder.find(L'\\', 2);
    const std::size_t shareEnd = serverEnd == std::wstring_view::npos ? serverEnd : folder.find(L'\\', serverEnd + 1);
    rootLength = shareEnd == std::wstring_view::npos ? folder.size() : shareEnd + 1;
  }
  SplitPath split{std::wstring(folder.substr(0, rootLength)), SplitNames(folder.substr(rootLength))};
  if (!split.root.empty() && split.root.back() != L'\\') split.root += L'\\';
  return split;
}

std::wstring Join(const std::wstring& parent, std::wstring_view name) {
  if (parent.empty()) return std::wstring(name);
  return parent.back() == L'\\' ? parent + std::wstring(name) : parent + L'\\' + std::wstring(name);
}

bool IsListedSubfolder(const FolderEntry& entry) {
  return entry.isFolder && !entry.hidden && !entry.system && entry.name != L"." && entry.name != L"..";
}

std::vector<std::wstring> SubfolderNames(const std::vector<FolderEntry>& entries) {
  std::vector<std::wstring> names;
  for (const FolderEntry& entry : entries)
    if (IsListedSubfolder(entry)) names.push_back(entry.name);
  std::stable_sort(names.begin(), names.end(),
                   [](const std::wstring& a, const std::wstring& b) { return CompareIgnoringCase(a, b) < 0; });
  return names;
}

}  // namespace

std::vector<FolderRow> FolderRows(std::wstring_view openFolder, const std::vector<FolderEntry>& openFolderEntries) {
  const SplitPath split = Split(openFolder);
  std::vector<FolderRow> rows;
  std::wstring path = split.root;
  if (!split.root.empty()) rows.push_back({split.root, 0, split.root, false});
  for (const std::wstring& name : split.names) {
    path = Join(path, name);
    rows.push_back({name, static_cast<int>(rows.size()), path, false});
  }
  if (!rows.empty()) rows.back().open = true;
  const int level = static_cast<int>(rows.size());
  for (const std::wstring& name : SubfolderNames(openFolderEntries))
    rows.push_back({name, level, Join(path, name), false});
  return rows;
}

std::wstring DriveListText(wchar_t letter, std::wstring_view label) {
  std::wstring text{LowerCaseChar(letter), L':'};
  if (!label.empty()) text += L" [" + std::wstring(label) + L"]";
  return text;
}

}  // namespace lumiroll
