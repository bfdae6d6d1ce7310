// An exception thrown by a window's or a dialog's handler stops at the procedure and ends the
// program with its own exit code: no crash through Windows, and nothing after the throw runs.
#include "platform/callback_barrier.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/win32/controls.h"
#include "platform/win32/modeless_dialog.h"
#include "platform/win32/window.h"

namespace lumiroll {
namespace {

constexpr UINT kThrow = WM_APP + 1, kAnswer = WM_APP + 2;

class ThrowingWindow final : public Window {
 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kThrow) throw std::runtime_error("handler failed");
    if (message == kAnswer) return 42;
    return DefaultHandling(message, wParam, lParam);
  }
};

void SendToWindowThatThrows(UINT message) {
  ThrowingWindow window;
  WindowOptions options;
  options.className = L"LumirollBarrierTestWindow";
  options.style = WS_OVERLAPPED;
  if (!window.Create(options)) std::_Exit(100);
  if (::SendMessageW(window.hwnd(), message, 0, 0) != 42) std::_Exit(101);
  std::_Exit(0);
}

constexpr ControlLayout kOkOnly[] = {{L"OK", LayoutKind::DefaultButton, L"OK", L"", 10, 10, 70, 22, true, IDOK}};

// A dialog of the program's own loop whose OK callback throws.
class ThrowingDialog final : public ModelessDialog {
 public:
  ThrowingDialog()
      : ModelessDialog(
            L"LumirollBarrierTestDialog",
            {.caption = L"Barrier test dialog", .clientWidth = 100, .clientHeight = 50, .controls = kOkOnly}) {}
  bool Open() {
    if (!Create(nullptr)) return false;
    Button(hwnd(), IDOK).OnClick(Callbacks(), [] { throw std::runtime_error("saving failed"); });
    Show();
    return true;
  }

 protected:
  [[nodiscard]] HWND FirstFocus() const override { return Control(IDOK); }
  void OnClosed() override { QuitMessageLoop(); }
};

// Shows the dialog and presses OK through the program's message loop; the close that follows
// ends the loop should the exception not end the program.
void PressOkOnDialogThatThrows() {
  ThrowingDialog dialog;
  if (!dialog.Open()) std::_Exit(104);
  ::PostMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ::PostMessageW(dialog.hwnd(), WM_CLOSE, 0, 0);
  const int result = RunMessageLoop();
  std::_Exit(result == 0 ? 102 : 103);  // reached only when the exception did not end the program
}

TEST(CallbackBarrierDeathTest, AnExceptionFromAHandlerEndsTheProgramWithItsExitCode) {
  const auto escaped = ::testing::ExitedWithCode(static_cast<int>(kEscapedExceptionExitCode));
  EXPECT_EXIT(SendToWindowThatThrows(kThrow), escaped, "");
  EXPECT_EXIT(PressOkOnDialogThatThrows(), escaped, "");
  // The barrier itself passes results through.
  EXPECT_EXIT(SendToWindowThatThrows(kAnswer), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace lumiroll
