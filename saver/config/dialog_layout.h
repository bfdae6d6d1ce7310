#pragma once
// A dialog's controls as data: one row a control, in tab order, positions at 96 dots per inch.
#include <span>
#include <string_view>

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
  Picture,
  Preview,
};

struct ControlLayout {
  std::wstring_view name;
  LayoutKind kind;
  std::wstring_view caption;
  std::wstring_view parent;  // the frame that holds it; empty for the dialog itself
  int left, top, width, height;  // relative to the parent
  bool tabStop = false;
  int id = 0;
  float points = 0;  // font size; 0 for the dialog's own font
};

struct LayoutRectangle {
  int left, top, width, height;
  friend bool operator==(const LayoutRectangle&, const LayoutRectangle&) = default;
};

// The control's rectangle in the dialog's client area: frame offsets added up.
[[nodiscard]] LayoutRectangle ClientRectangle(std::span<const ControlLayout> table, const ControlLayout& control);
// The row of that name; null when there is none.
[[nodiscard]] const ControlLayout* FindControl(std::span<const ControlLayout> table, std::wstring_view name);

}  // namespace lumiroll
