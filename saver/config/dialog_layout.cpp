#include "saver/config/dialog_layout.h"

namespace lumiroll {

const ControlLayout* FindControl(std::span<const ControlLayout> table, std::wstring_view name) {
  for (const ControlLayout& row : table)
    if (row.name == name) return &row;
  return nullptr;
}

LayoutRectangle ClientRectangle(std::span<const ControlLayout> table, const ControlLayout& control) {
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

}  // namespace lumiroll
