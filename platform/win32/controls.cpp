#include "platform/win32/controls.h"

#include <utility>

namespace lumiroll {

void ControlCallbacks::On(int controlId, WORD notification, std::function<void()> callback) {
  entries_.push_back({controlId, notification, std::move(callback)});
}

bool ControlCallbacks::Dispatch(int controlId, WORD notification) const {
  for (const Entry& entry : entries_) {
    if (entry.controlId != controlId || entry.notification != notification) continue;
    entry.callback();
    return true;
  }
  return false;
}

LRESULT ControlHandle::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageW(hwnd(), message, wParam, lParam);
}

void ListControl::Fill(std::span<const std::wstring> rows) const {
  const bool list = kind_ == Kind::ListBox;
  Send(WM_SETREDRAW, FALSE);
  Send(list ? LB_RESETCONTENT : CB_RESETCONTENT);
  for (const std::wstring& row : rows)
    Send(list ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  Send(WM_SETREDRAW, TRUE);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void ListControl::Select(std::size_t row) const { Send(kind_ == Kind::ListBox ? LB_SETCURSEL : CB_SETCURSEL, row); }

std::optional<std::size_t> ListControl::Selected() const {
  const LRESULT row = Send(kind_ == Kind::ListBox ? LB_GETCURSEL : CB_GETCURSEL);
  if (row < 0) return std::nullopt;  // LB_ERR and CB_ERR: nothing selected
  return static_cast<std::size_t>(row);
}

// List boxes and combo boxes share the numbers of these two notifications.
static_assert(LBN_SELCHANGE == CBN_SELCHANGE && LBN_DBLCLK == CBN_DBLCLK);

void ListControl::OnSelectionChange(ControlCallbacks& callbacks, std::function<void()> callback) const {
  callbacks.On(id(), LBN_SELCHANGE, std::move(callback));
}

void ListControl::OnDoubleClick(ControlCallbacks& callbacks, std::function<void()> callback) const {
  callbacks.On(id(), LBN_DBLCLK, std::move(callback));
}

void ListBox::SetRowHeight(int pixels) const { Send(LB_SETITEMHEIGHT, 0, pixels); }

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring EditBox::Text() const { return WindowText(hwnd()); }

void EditBox::SetText(std::wstring_view text) const { ::SetWindowTextW(hwnd(), std::wstring(text).c_str()); }

void EditBox::LimitText(int characters) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }

void EditBox::FocusAndSelectAll() const {
  ::SetFocus(hwnd());
  Send(EM_SETSEL, 0, -1);
}

void Button::OnClick(ControlCallbacks& callbacks, std::function<void()> callback) const {
  callbacks.On(id(), BN_CLICKED, std::move(callback));
}

void ClickableLabel::OnClick(ControlCallbacks& callbacks, std::function<void()> callback) const {
  callbacks.On(id(), STN_CLICKED, std::move(callback));
}

void OptionButton::SetChecked(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }

}  // namespace lumiroll
