#pragma once
// What the folder list (Dir1) and the drive list (Drive1) show.
#include <string>
#include <string_view>
#include <vector>

#include "saver/image_list.h"

namespace lumiroll {

struct FolderRow {
  std::wstring text;  // the root as written ("C:\"), otherwise the folder's own name
  int level = 0;      // indentation steps
  std::wstring path;  // the folder that opening this row opens
  bool open = false;  // the folder the list has open
};

// The open folder's path from its root down, one row a level, then its subfolders (not
// hidden, not system) in name order without regard to case, one level deeper.
[[nodiscard]] std::vector<FolderRow> FolderRows(std::wstring_view openFolder,
                                                const std::vector<FolderEntry>& openFolderEntries);

// "c: [Photos]", or "c:" when the drive has no label.
[[nodiscard]] std::wstring DriveListText(wchar_t letter, std::wstring_view label);

}  // namespace lumiroll
