#pragma once
// The base of every window of the programs: one window procedure that hands each message to
// the C++ object that owns the window.
#include <windows.h>

#include <string>
#include <utility>

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
  // Called once the window is gone; the object may delete itself here.
  virtual void OnDestroyed() {}

 private:
  // The window procedure of every window: routes each message behind the exception barrier.
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  static LRESULT Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  bool topLevel_ = false;
};

// Runs the program's event loop until its last top-level window has closed. Dialog-like windows
// (WS_EX_CONTROLPARENT) get dialog keyboard handling: Tab, Enter, Escape, arrows.
int RunMessageLoop();

// Processes all pending window and input events once, then returns.
void ProcessPendingEvents();

}  // namespace lumiroll
