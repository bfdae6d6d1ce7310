#include "platform/placeholder_window.h"

#include "platform/process.h"
#include "platform/window.h"

namespace lumiroll {
namespace {

class PlaceholderWindow final : public Window {
 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_KEYDOWN:
      case WM_LBUTTONDOWN:
      case WM_CLOSE:
        EndProgram();
    }
    return DefaultHandling(message, wParam, lParam);
  }
  void OnDestroyed() override { delete this; }
};

}  // namespace

void OpenPlaceholderWindow(const std::wstring& caption) {
  auto* window = new PlaceholderWindow();  // deletes itself when its window is gone
  WindowSpec spec;
  spec.className = L"LumirollPlaceholder";
  spec.caption = caption;
  spec.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  spec.width = 480;
  spec.height = 200;
  spec.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  if (!window->Create(spec)) delete window;
}

}  // namespace lumiroll
