#include "platform/win32/window.h"

#include <utility>

#include "platform/callback_barrier.h"

namespace lumiroll {
namespace {

bool RegisterClassOnce(const WindowOptions& options, WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(::GetModuleHandleW(nullptr), options.className.c_str(), &existing)) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hCursor = options.cursor ? options.cursor : ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = options.background;
  windowClass.hIcon = options.icon;
  windowClass.hIconSm = options.icon;
  windowClass.lpszClassName = options.className.c_str();
  return ::RegisterClassExW(&windowClass) != 0;
}

}  // namespace

// The window's messages no longer reach the object, which is going.
Window::~Window() {
  if (!hwnd_) return;
  HWND window = std::exchange(hwnd_, nullptr);
  ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  ::DestroyWindow(window);
}

bool Window::Create(const WindowOptions& options) {
  if (hwnd_ || !RegisterClassOnce(options, &Window::Procedure)) return false;
  return ::CreateWindowExW(options.exStyle, options.className.c_str(), options.caption.c_str(), options.style,
                           options.x, options.y, options.width, options.height, options.owner, nullptr,
                           ::GetModuleHandleW(nullptr), this) != nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return CallBehindBarrier([&] { return Route(hwnd, message, wParam, lParam); });
}

// The object comes with WM_NCCREATE; the few messages before it (WM_GETMINMAXINFO) get the
// default handling.
LRESULT Window::Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnDestroyed();
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

namespace {

bool HandledAsDialogKey(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
  if (!root || !(::GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)) return false;
  return ::IsDialogMessageW(root, &message) != FALSE;
}

void Dispatch(MSG& message) {
  if (HandledAsDialogKey(message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

}  // namespace

std::optional<int> ProcessPendingEvents() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
    Dispatch(message);
  }
  return std::nullopt;
}

void WaitForEvents(DWORD timeoutMilliseconds, std::span<const HANDLE> handles) {
  // MWMO_INPUTAVAILABLE: a message already in the queue but not yet handled ends the wait too.
  ::MsgWaitForMultipleObjectsEx(static_cast<DWORD>(handles.size()), handles.data(), timeoutMilliseconds, QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

int RunMessageLoop() {
  for (;;) {
    if (const std::optional<int> exitCode = ProcessPendingEvents()) return *exitCode;
    WaitForEvents(INFINITE);
  }
}

void QuitMessageLoop(int exitCode) { ::PostQuitMessage(exitCode); }

}  // namespace lumiroll
