#pragma once
// A dialog's controls as data: one row a control, in tab order, positions in pixels at 96 dots
// per inch; and the arithmetic that places them at any DPI. Every dialog of the programs is
// laid out from such a table.
#include <cstddef>
#include <span>
#include <string_view>

#include "platform/dpi_scaling.h"

namespace lumiroll {

enum class LayoutKind {
  Frame,
  FolderList,
  DriveList,
  FileList,
  OptionButton,
  Label,
  RightLabel,
  LinkLabel,  // an address that copies itself when clicked
  TextBox,
  Button,
  DefaultButton,
  Picture,  // artwork, chosen for the DPI and stretched to the control
  Preview,  // a picture surface the dialog makes itself
};

inline constexpr float kDialogPoints = 8.25f;  // the dialogs' text size, "MS Sans Serif"

struct ControlLayout {
  std::wstring_view name;
  LayoutKind kind;
  std::wstring_view caption;
  std::wstring_view parent;      // the frame that holds it; empty for the dialog itself
  int left, top, width, height;  // relative to the parent
  bool tabStop = false;
  int id = 0;
  float points = kDialogPoints;
  bool bold = false;
  int artwork = 0;  // Picture: the first of the artwork's bitmap resources (see ArtworkScale)
};

struct LayoutRectangle {
  int left, top, width, height;
  friend bool operator==(const LayoutRectangle&, const LayoutRectangle&) = default;
};

// The row of that name; null when there is none.
[[nodiscard]] constexpr const ControlLayout* FindControl(std::span<const ControlLayout> table, std::wstring_view name) {
  for (const ControlLayout& row : table)
    if (row.name == name) return &row;
  return nullptr;
}

// The control's rectangle in the dialog's client area at 96 DPI: frame offsets added up.
[[nodiscard]] constexpr LayoutRectangle ClientRectangle(std::span<const ControlLayout> table,
                                                        const ControlLayout& control) {
  LayoutRectangle rectangle{control.left, control.top, control.width, control.height};
  // Frames may sit in frames; the depth is bounded by the table's size, so a cycle cannot hang.
  const ControlLayout* parent = FindControl(table, control.parent);
  for (std::size_t depth = 0; parent && depth < table.size(); ++depth) {
    rectangle.left += parent->left;
    rectangle.top += parent->top;
    parent = FindControl(table, parent->parent);
  }
  return rectangle;
}

// The client rectangle at the DPI. Edges are scaled, not sizes, so that controls that touch at
// 96 DPI still touch.
[[nodiscard]] constexpr LayoutRectangle ScaledClientRectangle(std::span<const ControlLayout> table,
                                                              const ControlLayout& control, unsigned dpi) {
  const LayoutRectangle r = ClientRectangle(table, control);
  const int left = ScaleForDpi(r.left, dpi), top = ScaleForDpi(r.top, dpi);
  return {left, top, ScaleForDpi(r.left + r.width, dpi) - left, ScaleForDpi(r.top + r.height, dpi) - top};
}

// The one centring rule of every dialog: its window centred on the area (the work area of the
// monitor it is on), but never with its caption above or left of the area.
[[nodiscard]] constexpr LayoutRectangle CentredIn(const LayoutRectangle& area, int width, int height) {
  const int left = area.left + (area.width - width) / 2, top = area.top + (area.height - height) / 2;
  return {left < area.left ? area.left : left, top < area.top ? area.top : top, width, height};
}

// Artwork is made at 1x, 1.5x and 2x, as consecutive resources: the one nearest the DPI, in
// percent. Ties go to the larger, which looks better shrunk than stretched.
[[nodiscard]] constexpr int ArtworkScale(unsigned dpi) {
  const int percent = ScaleForDpi(100, dpi);
  if (percent < 125) return 100;
  if (percent < 175) return 150;
  return 200;
}
[[nodiscard]] constexpr int ArtworkResource(int firstId, unsigned dpi) {
  return firstId + (ArtworkScale(dpi) - 100) / 50;
}

}  // namespace lumiroll
