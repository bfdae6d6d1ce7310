#include "platform/win32/window.h"

#include "platform/callback_barrier.h"

namespace lumiroll {
namespace {

int liveTopLevelWindows = 0;

// Hands the object to the window procedure on the window's first message (which comes before
// WM_NCCREATE): window classes are shared, objects not.
Window* windowBeingCreated = nullptr;

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

Window::~Window() {
  if (hwnd_) {
    HWND window = hwnd_;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    if (topLevel_ && --liveTopLevelWindows == 0) ::PostQuitMessage(0);
    ::DestroyWindow(window);
  }
}

bool Window::Create(const WindowOptions& options) {
  if (!RegisterClassOnce(options, &Window::Procedure)) return false;
  topLevel_ = (options.style & WS_CHILD) == 0;
  windowBeingCreated = this;
  HWND created = ::CreateWindowExW(options.exStyle, options.className.c_str(), options.caption.c_str(), options.style,
                                   options.x, options.y, options.width, options.height, options.owner, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
  windowBeingCreated = nullptr;
  return created != nullptr;
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

LRESULT Window::Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self && windowBeingCreated) {
    self = std::exchange(windowBeingCreated, nullptr);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self->topLevel_) ++liveTopLevelWindows;
  }
  if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    const bool wasTopLevel = self->topLevel_;
    self->OnDestroyed();  // may delete the object
    if (wasTopLevel && --liveTopLevelWindows == 0) ::PostQuitMessage(0);
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

int RunMessageLoop() {
  if (liveTopLevelWindows == 0) return 0;
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return static_cast<int>(message.wParam);
}

void ProcessPendingEvents() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));  // leave it for the outer loop
      return;
    }
    Dispatch(message);
  }
}

}  // namespace lumiroll
