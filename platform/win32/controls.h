#pragma once
// Typed handles on a dialog's standard controls, and the callbacks their notifications run.
// The controls belong to their dialog window; these hold them without owning them.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumiroll {

// A window's or control's text.
[[nodiscard]] std::wstring WindowText(HWND window);

// What runs when a control of the dialog reports something (WM_COMMAND: id and notification).
class ControlCallbacks {
 public:
  void On(int controlId, WORD notification, std::function<void()> callback);
  // Runs the callback for the command; false when there is none.
  bool Dispatch(int controlId, WORD notification) const;

 private:
  struct Entry {
    int controlId;
    WORD notification;
    std::function<void()> callback;
  };
  std::vector<Entry> entries_;
};

class ControlHandle {
 public:
  ControlHandle(HWND dialog, int id) : dialog_(dialog), id_(id) {}
  // For a handle made before its dialog's window.
  void Attach(HWND dialog) { dialog_ = dialog; }
  [[nodiscard]] HWND hwnd() const { return ::GetDlgItem(dialog_, id_); }
  [[nodiscard]] int id() const { return id_; }

 protected:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

 private:
  HWND dialog_;  // not owned
  int id_;
};

// A list box or a drop-down list: rows of text, one selected.
class ListControl : public ControlHandle {
 public:
  enum class Kind { ListBox, ComboBox };
  ListControl(HWND dialog, int id, Kind kind) : ControlHandle(dialog, id), kind_(kind) {}
  // Replaces the rows, without drawing in between.
  void Fill(std::span<const std::wstring> rows) const;
  void Select(std::size_t row) const;
  [[nodiscard]] std::optional<std::size_t> Selected() const;
  void OnSelectionChange(ControlCallbacks& callbacks, std::function<void()> callback) const;
  void OnDoubleClick(ControlCallbacks& callbacks, std::function<void()> callback) const;

 private:
  Kind kind_;
};

struct ListBox : ListControl {
  ListBox(HWND dialog, int id) : ListControl(dialog, id, Kind::ListBox) {}
  // An owner-drawn list's row height.
  void SetRowHeight(int pixels) const;
};
struct ComboBox : ListControl {
  ComboBox(HWND dialog, int id) : ListControl(dialog, id, Kind::ComboBox) {}
};

class EditBox : public ControlHandle {
 public:
  using ControlHandle::ControlHandle;
  [[nodiscard]] std::wstring Text() const;
  void SetText(std::wstring_view text) const;
  void LimitText(int characters) const;
  // Takes the focus with the whole text selected, ready to be typed over.
  void FocusAndSelectAll() const;
};

class Button : public ControlHandle {
 public:
  using ControlHandle::ControlHandle;
  void OnClick(ControlCallbacks& callbacks, std::function<void()> callback) const;
};

// A label that reports clicks (SS_NOTIFY).
class ClickableLabel : public ControlHandle {
 public:
  using ControlHandle::ControlHandle;
  void OnClick(ControlCallbacks& callbacks, std::function<void()> callback) const;
};

class OptionButton : public Button {
 public:
  using Button::Button;
  void SetChecked(bool checked) const;
};

}  // namespace lumiroll
