// An exception thrown by a window's or a dialog's handler stops at the procedure and ends the
// program with its own exit code: no crash through Windows, and nothing after the throw runs.
#include "platform/callback_barrier.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

#include "platform/modal_dialog.h"
#include "platform/window.h"

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

class ThrowingDialog final : public ModalDialog {
 public:
  using ModalDialog::ModalDialog;

 protected:
  void OnButton(int) override { throw std::runtime_error("install failed"); }
};

// Shows a dialog whose OK handler throws, and presses OK from inside the dialog's own loop.
void PressOkOnDialogThatThrows() {
  const ControlLayout kControls[] = {{L"OK", LayoutKind::DefaultButton, L"OK", L"", 10, 10, 70, 22, true, IDOK}};
  const DialogLayout layout{
      .caption = L"Barrier test dialog", .clientWidth = 100, .clientHeight = 50, .controls = kControls};
  ThrowingDialog dialog(layout);
  ::SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
    if (HWND dialog = ::FindWindowW(L"#32770", L"Barrier test dialog"))
      ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  const int result = dialog.Run(nullptr);
  std::_Exit(result == IDOK ? 102 : 103);  // reached only when the exception did not end the program
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
