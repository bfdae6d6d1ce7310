#pragma once
// Form8, the About box: opened beside the settings dialog, not modal, owned by it.
#include <windows.h>

#include <functional>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/win32/controls.h"
#include "platform/win32/dialog_controls.h"
#include "platform/win32/window.h"

namespace lumiroll {

class AboutBox final : public Window {
 public:
  // closed runs once the box's window is gone.
  explicit AboutBox(std::function<void()> closed) : closed_(std::move(closed)) {}

  // Over the show's cover, the box is owned by it and stays above it. Not owned: null.
  void OverCover(HWND cover) { cover_ = cover; }

  // Opens the box; when it is open already, brings it to the front instead.
  void Open();
  [[nodiscard]] bool IsOpen() const { return hwnd() != nullptr; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyed() override;

 private:
  [[nodiscard]] bool Create();
  void ConnectControls();
  void AddEmailToolTip();
  [[nodiscard]] bool IsAddress(HWND control) const;
  [[nodiscard]] HWND Control(int id) const { return ::GetDlgItem(hwnd(), id); }
  void CopyAddress(int labelId, std::wstring_view confirmation);

  void Label22_Click();
  void Label23_Click();
  void Command3_Click() { ::DestroyWindow(hwnd()); }

  std::function<void()> closed_;
  HWND cover_ = nullptr;                    // not owned
  std::optional<DialogControls> controls_;  // while the window exists
  ControlCallbacks callbacks_;
};

}  // namespace lumiroll
