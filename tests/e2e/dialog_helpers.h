#pragma once
// What the settings dialog and About box tests share: a running "/c" session, reading the
// dialog's controls from outside, real clicks on them, the preview's pixels, the clipboard.
#include <windows.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "driver.h"

inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
inline void PrintTo(const RECT& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const SIZE& s, std::ostream* out) { *out << s.cx << " x " << s.cy; }

namespace lumiroll::e2e {

// Lumiroll.scr "/c", started in the working folder (the test's own when empty), ended when
// the session goes if it still runs.
class SettingsDialogSession {
 public:
  explicit SettingsDialogSession(std::wstring_view workingFolder = {});
  // Waits for the dialog; false when it does not come.
  [[nodiscard]] bool Open();
  [[nodiscard]] bool IsRunning() const { return program.IsRunning(); }

  // The preview's pixels on the screen (inside its border).
  [[nodiscard]] std::vector<std::uint32_t> PreviewPixels() const;
  [[nodiscard]] bool PreviewShowsAPicture() const;
  // Saved as <name>.bmp in the folder LUMIROLL_SCREENSHOT_DIR names, when it is set.
  static void SaveScreenshot(std::wstring_view name);

  RunningProgram program;
  HWND dialog = nullptr;
};

// The control has been painted: its pixels on the screen are not all one colour.
[[nodiscard]] bool WaitForPainted(const RunningProgram& program, HWND control);

void CopyAsset(const std::wstring& relative, const std::wstring& destination);
[[nodiscard]] std::wstring LastName(const std::wstring& path);

[[nodiscard]] SIZE ClientSize(HWND window);
[[nodiscard]] bool IsCentred(HWND window);
// The control's window rectangle in the dialog's client coordinates.
[[nodiscard]] RECT ClientRectOf(HWND dialog, HWND control);
// Of these controls, the ids of those the Tab key stops at, in tab order. An option button
// counts as a stop though only the checked one of its array carries WS_TABSTOP.
[[nodiscard]] std::vector<int> TabOrder(HWND dialog, const std::vector<int>& ids);
// The text a control holds (WM_GETTEXT, which works across processes).
[[nodiscard]] std::wstring ControlText(HWND control);
// Ids of the checked option buttons.
[[nodiscard]] std::vector<int> CheckedOptions(HWND dialog);
[[nodiscard]] std::vector<std::wstring> ListTexts(HWND listBox);
[[nodiscard]] std::wstring SelectedListText(HWND listBox);
// The window with the keyboard focus in the dialog's thread.
[[nodiscard]] HWND FocusOf(HWND dialog);

// Real clicks, through the pointer.
void ClickControl(HWND control);
void ClickListRow(HWND listBox, int index);

// Expects the next message box of the program to say exactly this, then closes it.
void ExpectMessage(const RunningProgram& program, std::wstring_view title, std::wstring_view text);
// No message box of the program shows up within the time.
[[nodiscard]] bool NoMessageBoxWithin(DWORD processId, DWORD timeoutMs);

// The four stored texts in the order time, size, folder, order ("<missing>" for none).
[[nodiscard]] std::vector<std::wstring> StoredSettings();
[[nodiscard]] DWORD StoredValueCount();

[[nodiscard]] double BlackShare(const std::vector<std::uint32_t>& pixels);
[[nodiscard]] std::wstring ReadClipboardText();
void PutOnClipboard(std::wstring_view text);

}  // namespace lumiroll::e2e
