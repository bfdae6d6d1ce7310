#include "saver/config/win32/folder_list_drawing.h"

#include "platform/dpi_scaling.h"
#include "platform/win32/handles.h"

namespace lumiroll {
namespace {

constexpr COLORREF kFolderFill = RGB(240, 200, 90);
constexpr COLORREF kOpenFolderFill = RGB(250, 225, 140);
constexpr COLORREF kFolderEdge = RGB(160, 120, 30);

void FillWith(HDC dc, RECT r, COLORREF colour) {
  const UniqueBrush brush(::CreateSolidBrush(colour));
  ::FillRect(dc, &r, brush.get());
}

// A folder: a tab on top of a body, outlined.
void DrawFolderSymbol(HDC dc, int left, int top, bool open, UINT dpi) {
  const int w = ScaleForDpi(14, dpi), h = ScaleForDpi(10, dpi), tab = ScaleForDpi(3, dpi);
  const RECT tabRect{left, top, left + w / 2, top + tab};
  const RECT body{left, top + tab - 1, left + w, top + tab - 1 + h};
  FillWith(dc, tabRect, kFolderEdge);
  FillWith(dc, body, kFolderEdge);
  const RECT inside{body.left + 1, body.top + 1, body.right - 1, body.bottom - 1};
  FillWith(dc, inside, open ? kOpenFolderFill : kFolderFill);
}

}  // namespace

int FolderRowHeight(UINT dpi) { return ScaleForDpi(16, dpi); }

void DrawFolderRow(const DRAWITEMSTRUCT& item, const FolderRow& row, bool onOpenPath, UINT dpi) {
  HDC dc = item.hDC;  // not owned: lent by the list for this message
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int left = item.rcItem.left + ScaleForDpi(2 + 8 * row.level, dpi);
  const int height = item.rcItem.bottom - item.rcItem.top;
  const int symbolTop = item.rcItem.top + (height - ScaleForDpi(12, dpi)) / 2;
  DrawFolderSymbol(dc, left, symbolTop, onOpenPath, dpi);
  RECT text = item.rcItem;
  text.left = left + ScaleForDpi(18, dpi);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ::DrawTextW(dc, row.text.c_str(), static_cast<int>(row.text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &item.rcItem);
}

}  // namespace lumiroll
