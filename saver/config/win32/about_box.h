#pragma once
// Form8, the About box: opened beside the settings dialog, not modal.
#include <windows.h>

#include <functional>
#include <string_view>
#include <utility>

#include "platform/win32/modeless_dialog.h"

namespace lumiroll {

class AboutBox final : public ModelessDialog {
 public:
  // closed runs once the box's window is gone.
  explicit AboutBox(std::function<void()> closed);

  // Over the show's cover, the box is owned by it and stays above it. Not owned: null.
  void OverCover(HWND cover) { cover_ = cover; }

  // Opens the box; when it is open already, brings it to the front instead.
  void Open();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  [[nodiscard]] HWND FirstFocus() const override;
  [[nodiscard]] COLORREF TextColour(HWND control) const override;
  void OnClosed() override { closed_(); }

 private:
  void ConnectControls();
  void AddEmailToolTip();
  [[nodiscard]] bool IsAddress(HWND control) const;
  void CopyAddress(int labelId, std::wstring_view confirmation);

  void Label22_Click();
  void Label23_Click();
  void Command3_Click() { ::DestroyWindow(hwnd()); }

  std::function<void()> closed_;
  // No owner: the box outlives a settings dialog closed by its close box. Over the cover, owned
  // by it, or the cover would hide it.
  HWND cover_ = nullptr;  // not owned
};

}  // namespace lumiroll
