#pragma once
// Drives the real programs from outside, as a user would: starts them with a command line,
// finds their windows, reads and answers message boxes, sends keys, clicks and pointer moves,
// looks at the screen, and reads the registry and files they change.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/handles.h"

namespace lumiroll::e2e {

// A program of the build, beside the test executable (bin/).
[[nodiscard]] std::wstring BuiltProgram(std::wstring_view fileName);

// How tests wait: on what the program does, never on a guess of how long it takes. A wait for
// something that must happen has a liveness limit only, kLivenessMs: it costs nothing when all is
// well and fails only when the program is stuck. Every wait on a program returns at once when the
// program has ended, and a failed liveness wait is reported (gtest failure) with the exit code.
// A limit of kSpanFloorMs or more given to any wait below is read as a liveness limit and raised
// to kLivenessMs; a shorter one is a stated span (for a check that nothing happens, after
// something that did).
inline constexpr DWORD kLivenessMs = 60000;
inline constexpr DWORD kSpanFloorMs = 5000;
[[nodiscard]] constexpr DWORD LimitOf(DWORD timeoutMs) { return timeoutMs >= kSpanFloorMs ? kLivenessMs : timeoutMs; }

class RunningProgram {
 public:
  // Starts the program with exactly this argument text after its quoted path, as the desktop
  // does; the working folder is the given one, or the test's own when empty. First waits until
  // every program this test process ended or killed is really gone and, when none it started is
  // still running beside, until the programs' one-copy locks are free.
  static RunningProgram Start(std::wstring_view programPath, std::wstring_view argumentText,
                              std::wstring_view workingFolder = {});
  RunningProgram(RunningProgram&&) = default;
  RunningProgram& operator=(RunningProgram&&) = default;
  ~RunningProgram();  // ends the program if it still runs, and waits until it is gone

  [[nodiscard]] bool started() const { return static_cast<bool>(process_); }
  [[nodiscard]] DWORD id() const { return id_; }
  [[nodiscard]] HANDLE process() const { return process_.get(); }
  // True when the program ended within the time (a liveness limit from kSpanFloorMs on).
  [[nodiscard]] bool WaitForExit(DWORD timeoutMs) const;
  // The program ends: waits up to the liveness limit; a failure names what it still does.
  [[nodiscard]] bool WaitForEnd() const { return WaitForExit(kLivenessMs); }
  // A check that nothing happens: true when the program still runs after the span.
  [[nodiscard]] bool StaysRunningFor(DWORD spanMs) const { return started() && !WaitForExit(spanMs); }
  [[nodiscard]] bool IsRunning() const { return !WaitForExit(0); }
  [[nodiscard]] std::optional<DWORD> ExitCode() const;  // nothing while it runs
  // "running", or "ended with exit code 0x...": for failure messages.
  [[nodiscard]] std::string Describe() const;
  // Terminates the program and waits until it is really gone.
  void Kill() const;

  // The program's start is done: its first thread idle (WaitForInputIdle), then a visible
  // top-level window of this title (and class, when given). Null, reported, when the program
  // ends first or the liveness limit passes.
  [[nodiscard]] HWND WaitForWindow(std::wstring_view title, std::wstring_view className = {}) const;
  // The next message box of the program, the same way.
  [[nodiscard]] HWND WaitForMessageBox() const;
  // Watches the program until it ends (liveness limit): the titles of the visible windows it
  // showed meanwhile, one for each window. A program that should end without a window returns none.
  [[nodiscard]] std::vector<std::wstring> WindowsShownUntilEnd() const;
  // Polls the condition until it holds; false, reported with what was awaited, when the program
  // ends first or the liveness limit passes.
  template <typename Condition>
  [[nodiscard]] bool WaitUntil(Condition condition, std::string_view what) const;

 private:
  RunningProgram() = default;
  void ReportFailedWait(std::string_view what) const;
  UniqueHandle process_;
  DWORD id_ = 0;
};

// Visible top-level windows of a process (all processes when id is 0).
[[nodiscard]] std::vector<HWND> VisibleWindowsOf(DWORD processId);
[[nodiscard]] std::wstring WindowTitle(HWND window);
[[nodiscard]] std::wstring WindowClass(HWND window);

// A visible top-level window with this title (and class, when given) of the process (any process
// when id is 0): waits for the process's input idle first, then polls; null at once when the
// process has ended, or after the timeout (see LimitOf). A failed liveness wait is reported.
[[nodiscard]] HWND WaitForWindow(std::wstring_view title, std::wstring_view className, DWORD processId,
                                 DWORD timeoutMs = kLivenessMs);

struct MessageBoxContent {
  std::wstring title;
  std::wstring text;
  bool hasCancel = false;
};
// A message box is a #32770 dialog whose text is in the static control 0xFFFF.
[[nodiscard]] std::optional<MessageBoxContent> ReadMessageBox(HWND box);
// Waits for the next message box of the process, as WaitForWindow does.
[[nodiscard]] HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs = kLivenessMs);
// Presses a button of a dialog by its id (IDOK ...).
void PressButton(HWND dialog, int buttonId);

// Input, through SendInput: it reaches the window that has the focus.
void PressKey(WORD virtualKey);
void MovePointerTo(int x, int y);
// Anywhere on the desktop of several monitors, in the primary monitor's coordinates.
void MovePointerOnDesktopTo(int x, int y);
void MovePointerBy(int dx, int dy);
void ClickAt(int x, int y);
void ClickHere();  // where the pointer stands
[[nodiscard]] POINT PointerPosition();
[[nodiscard]] bool PointerVisible();

// The whole screen as 0x00RRGGBB pixels.
struct Screenshot {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  [[nodiscard]] std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  bool SaveBmp(const std::wstring& path) const;
};
[[nodiscard]] Screenshot TakeScreenshot();  // the primary monitor
// Any area of the desktop, in the primary monitor's coordinates (others may be negative).
[[nodiscard]] Screenshot TakeScreenshotOf(const RECT& area);
// Where a screenshot of that name is kept to be looked at: <name>.bmp in the folder
// LUMIROLL_SCREENSHOT_DIR names; nothing when it is not set.
[[nodiscard]] std::optional<std::wstring> ScreenshotPath(std::wstring_view name);
[[nodiscard]] int ScreenWidth();
[[nodiscard]] int ScreenHeight();

// Registry of the current user.
[[nodiscard]] std::optional<std::wstring> ReadRegistryText(HKEY root, std::wstring_view subkey, std::wstring_view name);
void WriteRegistryText(HKEY root, std::wstring_view subkey, std::wstring_view name, std::wstring_view text);
void WriteRegistryDword(HKEY root, std::wstring_view subkey, std::wstring_view name, DWORD value);
void DeleteRegistryValue(HKEY root, std::wstring_view subkey, std::wstring_view name);
void DeleteRegistryTree(HKEY root, std::wstring_view subkey);

// The screen saver's stored settings, written or read directly.
inline constexpr wchar_t kSettingsKey[] = L"Software\\Lumiroll\\Settings";
void StoreSettings(std::wstring_view time, std::wstring_view size, std::wstring_view folder, std::wstring_view order);
void ClearSettings();

// While it lives, the settings cannot be written: the application's key is made volatile, and a
// volatile key takes no lasting subkey, so the settings section cannot be made.
class UnwritableSettings {
 public:
  UnwritableSettings();
  ~UnwritableSettings();
  UnwritableSettings(const UnwritableSettings&) = delete;
  UnwritableSettings& operator=(const UnwritableSettings&) = delete;
  [[nodiscard]] bool made() const { return made_; }

 private:
  bool made_ = false;
};

// A new empty folder under the temporary folder, named after the test.
[[nodiscard]] std::wstring FreshFolder(std::wstring_view name);
// True when every byte is written.
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);
[[nodiscard]] bool FileExists(const std::wstring& path);
[[nodiscard]] std::wstring AssetPath(std::wstring_view relative);  // from the source tree's assets/

// Polls a condition until it holds or the time runs out (see LimitOf). For a program's doing,
// RunningProgram::WaitUntil, which also returns when the program ends.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs, DWORD pollMs = 50) {
  const ULONGLONG end = ::GetTickCount64() + LimitOf(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount64() >= end) return false;
    ::Sleep(pollMs);  // the poll's interval: what is awaited happens in another process
  }
}

template <typename Condition>
bool RunningProgram::WaitUntil(Condition condition, std::string_view what) const {
  const ULONGLONG end = ::GetTickCount64() + kLivenessMs;
  for (;;) {
    if (condition()) return true;
    if (!IsRunning() || ::GetTickCount64() >= end) {
      if (condition()) return true;  // what it did just before it ended counts
      ReportFailedWait(what);
      return false;
    }
    ::Sleep(20);  // the poll's interval: what is awaited happens in another process
  }
}

}  // namespace lumiroll::e2e
