#pragma once
// The base of every window of the programs: one window procedure that hands each message to
// the C++ object behind the window. The object is owned by the program (the entry point or the
// window that opened it), outlives its window, and destroys the window if it goes first.
#include <windows.h>

#include <optional>
#include <span>
#include <string>

namespace lumiroll {

struct WindowOptions {
  std::wstring className;
  std::wstring caption;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  int width = CW_USEDEFAULT, height = CW_USEDEFAULT;
  HWND owner = nullptr;         // not owned
  HBRUSH background = nullptr;  // not owned; a stock or system brush
  HICON icon = nullptr;         // not owned; loaded from the program's resources
  HCURSOR cursor = nullptr;     // not owned; the arrow when null
};

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  [[nodiscard]] HWND hwnd() const { return hwnd_; }
  // Creates the window; false when that fails.
  [[nodiscard]] bool Create(const WindowOptions& options);

 protected:
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
  // The window is gone (closed by the user or the system); the object lives on with its owner.
  virtual void OnDestroyed() {}

 private:
  // The window procedure of every window: routes each message behind the exception barrier.
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  static LRESULT Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// The program's one message pump, shared by its event loops. Dialog-like windows
// (WS_EX_CONTROLPARENT) get dialog keyboard handling: Tab, Enter, Escape, arrows.

// Processes all pending window and input events once. The exit code once the program has asked
// its loop to end (QuitMessageLoop); nothing while it runs on.
std::optional<int> ProcessPendingEvents();
// Blocks until a message arrives (or one not yet handled waits), a handle is signalled or the
// timeout passes.
void WaitForEvents(DWORD timeoutMilliseconds, std::span<const HANDLE> handles = {});
// Waits and processes events until the program asks its loop to end; the exit code it gave.
int RunMessageLoop();
// Asks the program's loop to end once the running handler has returned. The program decides
// when it ends; closing a window alone ends nothing.
void QuitMessageLoop(int exitCode = 0);

}  // namespace lumiroll
