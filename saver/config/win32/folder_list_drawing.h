#pragma once
// How a row of the folder list (Dir1) is drawn: indented by its level, with a folder symbol.
#include <windows.h>

#include "saver/config/folder_rows.h"

namespace lumiroll {

[[nodiscard]] int FolderRowHeight(UINT dpi);
// Folders on the path down to the open one (onOpenPath) are drawn open.
void DrawFolderRow(const DRAWITEMSTRUCT& item, const FolderRow& row, bool onOpenPath, UINT dpi);

}  // namespace lumiroll
