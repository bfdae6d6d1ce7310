#include "driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace lumiroll::e2e {
namespace {

std::wstring ModuleFolder() {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (::IsWindowVisible(window) && (search.processId == 0 || owner == search.processId)) search.found.push_back(window);
  return TRUE;
}

void SendInputs(std::initializer_list<INPUT> inputs) {
  std::vector<INPUT> list(inputs);
  ::SendInput(static_cast<UINT>(list.size()), list.data(), sizeof(INPUT));
}

INPUT PointerInput(DWORD flags, LONG x = 0, LONG y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x;
  input.mi.dy = y;
  input.mi.dwFlags = flags;
  return input;
}

// Every program this test process started, by a handle of its own: whether the test ended it
// (killed, or its RunningProgram gone) and so expects it gone before the next start.
struct StartedProgram {
  UniqueHandle process;
  DWORD id = 0;
  bool retired = false;
};
std::vector<StartedProgram>& StartedPrograms() {
  static std::vector<StartedProgram> programs;
  return programs;
}

void Retire(DWORD id) {
  for (StartedProgram& program : StartedPrograms())
    if (program.id == id) program.retired = true;
}

bool HasEnded(HANDLE process) { return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

std::string EndOf(HANDLE process) {
  DWORD code = 0;
  if (!process || !::GetExitCodeProcess(process, &code)) return "is gone (no handle)";
  if (code == STILL_ACTIVE && !HasEnded(process)) return "still runs";
  char text[64];
  std::snprintf(text, sizeof text, "ended with exit code 0x%08lX", static_cast<unsigned long>(code));
  return text;
}

// The programs' one-copy locks (platform/win32/process.cpp): free when no copy holds them.
bool OneCopyLocksFree() {
  for (const wchar_t* name :
       {L"Local\\Lumiroll.SingleInstance.Lumiroll.scr", L"Local\\Lumiroll.SingleInstance.Setup"}) {
    const UniqueHandle lock(::OpenMutexW(SYNCHRONIZE, FALSE, name));
    if (lock) return false;
  }
  return true;
}

// Before a start: the programs the test ended are really gone, and unless one it started runs
// on beside (a test of a second copy), nothing holds a one-copy lock.
void WaitForPreviousProgramsGone() {
  auto& programs = StartedPrograms();
  bool oneRunsBeside = false;
  for (const StartedProgram& program : programs) {
    if (HasEnded(program.process.get())) continue;
    if (!program.retired) {
      oneRunsBeside = true;
      continue;
    }
    if (::WaitForSingleObject(program.process.get(), kLivenessMs) != WAIT_OBJECT_0)
      ADD_FAILURE() << "program " << program.id << ", ended by the test, was not gone within " << kLivenessMs / 1000
                    << " s";
  }
  std::erase_if(programs, [](const StartedProgram& p) { return HasEnded(p.process.get()); });
  if (!oneRunsBeside && !WaitUntil(OneCopyLocksFree, kLivenessMs))
    ADD_FAILURE() << "a one-copy lock of Lumiroll was still held, by a program this test did not start";
}

// Waits for a visible top-level window that matches, of the process (any when null): the
// process's input idle first, then polls. Null at once when the process has ended.
HWND AwaitWindow(HANDLE process, DWORD processId, DWORD limitMs, const std::function<bool(HWND)>& matches,
                 const std::string& what) {
  const ULONGLONG end = ::GetTickCount64() + limitMs;
  if (process) (void)::WaitForInputIdle(process, limitMs);
  for (;;) {
    for (HWND window : VisibleWindowsOf(processId))
      if (matches(window)) return window;
    const bool ended = process && HasEnded(process);
    if (ended || ::GetTickCount64() >= end) {
      if (limitMs >= kLivenessMs)
        ADD_FAILURE() << "waited for " << what << ": the program "
                      << (ended ? EndOf(process) : "showed none within " + std::to_string(limitMs / 1000) + " s");
      return nullptr;
    }
    ::Sleep(20);  // the poll's interval: the window comes from another process
  }
}

// A handle to wait on a process by its id; null for id 0. A process that cannot be opened any
// more has ended.
UniqueHandle OpenForWaiting(DWORD processId) {
  return UniqueHandle(processId ? ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId) : nullptr);
}

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

bool HasTitle(HWND window, std::wstring_view title, std::wstring_view className) {
  return WindowTitle(window) == title && (className.empty() || WindowClass(window) == className);
}

bool IsMessageBox(HWND window) { return WindowClass(window) == L"#32770" && ::GetDlgItem(window, 0xFFFF); }

}  // namespace

std::wstring BuiltProgram(std::wstring_view fileName) { return ModuleFolder() + L"\\" + std::wstring(fileName); }

RunningProgram RunningProgram::Start(std::wstring_view programPath, std::wstring_view argumentText,
                                     std::wstring_view workingFolder) {
  WaitForPreviousProgramsGone();
  std::wstring commandLine = L"\"" + std::wstring(programPath) + L"\"";
  if (!argumentText.empty()) commandLine += L" " + std::wstring(argumentText);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const std::wstring folder(workingFolder);
  RunningProgram program;
  if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    ::CloseHandle(info.hThread);
    program.process_.reset(info.hProcess);
    program.id_ = info.dwProcessId;
    HANDLE own = nullptr;
    if (::DuplicateHandle(::GetCurrentProcess(), info.hProcess, ::GetCurrentProcess(), &own, 0, FALSE,
                          DUPLICATE_SAME_ACCESS))
      StartedPrograms().push_back({UniqueHandle(own), info.dwProcessId, false});
  } else {
    ADD_FAILURE() << "could not start the program: error " << ::GetLastError();
  }
  return program;
}

RunningProgram::~RunningProgram() {
  if (!process_) return;
  if (IsRunning()) Kill();
  Retire(id_);
}

bool RunningProgram::WaitForExit(DWORD timeoutMs) const {
  return process_ && ::WaitForSingleObject(process_.get(), LimitOf(timeoutMs)) == WAIT_OBJECT_0;
}

std::optional<DWORD> RunningProgram::ExitCode() const {
  DWORD code = 0;
  if (!process_ || !HasEnded(process_.get()) || !::GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
  return code;
}

std::string RunningProgram::Describe() const { return process_ ? EndOf(process_.get()) : "never started"; }

void RunningProgram::Kill() const {
  if (!process_) return;
  Retire(id_);
  ::TerminateProcess(process_.get(), 1);
  if (::WaitForSingleObject(process_.get(), kLivenessMs) != WAIT_OBJECT_0)
    ADD_FAILURE() << "program " << id_ << " was not gone " << kLivenessMs / 1000 << " s after it was killed";
}

void RunningProgram::ReportFailedWait(std::string_view what) const {
  ADD_FAILURE() << "waited for " << what << ": the program "
                << (IsRunning() ? "did not within " + std::to_string(kLivenessMs / 1000) + " s" : Describe());
}

HWND RunningProgram::WaitForWindow(std::wstring_view title, std::wstring_view className) const {
  return AwaitWindow(
      process_.get(), id_, kLivenessMs, [&](HWND w) { return HasTitle(w, title, className); },
      "the window \"" + Narrow(title) + "\"");
}

std::vector<std::wstring> RunningProgram::WindowsShownUntilEnd() const {
  std::vector<HWND> windows;
  std::vector<std::wstring> titles;
  (void)WaitUntil(
      [&] {
        const bool ended = !IsRunning();  // looked at before the windows: none is missed at the end
        for (HWND window : VisibleWindowsOf(id_)) {
          if (std::find(windows.begin(), windows.end(), window) != windows.end()) continue;
          // Every live window has a class: none means it went between the listing and the look
          // (the ending program's own window), and nothing of it was seen.
          const std::wstring className = WindowClass(window);
          if (className.empty()) continue;
          windows.push_back(window);
          titles.push_back(WindowTitle(window) + L" (" + className + L")");
        }
        return ended;
      },
      "the end");
  return titles;
}

HWND RunningProgram::WaitForMessageBox() const {
  return AwaitWindow(process_.get(), id_, kLivenessMs, IsMessageBox, "a message box");
}

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
  WindowSearch search{processId, {}};
  ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowTitle(HWND window) {
  wchar_t text[1024] = {};
  ::GetWindowTextW(window, text, static_cast<int>(std::size(text)));
  return text;
}

std::wstring WindowClass(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

HWND WaitForWindow(std::wstring_view title, std::wstring_view className, DWORD processId, DWORD timeoutMs) {
  const UniqueHandle process = OpenForWaiting(processId);
  if (processId && !process) return nullptr;  // gone
  return AwaitWindow(
      process.get(), processId, LimitOf(timeoutMs), [&](HWND w) { return HasTitle(w, title, className); },
      "the window \"" + Narrow(title) + "\"");
}

std::optional<MessageBoxContent> ReadMessageBox(HWND box) {
  if (!box || WindowClass(box) != L"#32770") return std::nullopt;
  MessageBoxContent content;
  content.title = WindowTitle(box);
  if (HWND text = ::GetDlgItem(box, 0xFFFF)) content.text = WindowTitle(text);
  content.hasCancel = ::GetDlgItem(box, IDCANCEL) != nullptr && ::IsWindowVisible(::GetDlgItem(box, IDCANCEL));
  return content;
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  const UniqueHandle process = OpenForWaiting(processId);
  if (processId && !process) return nullptr;
  return AwaitWindow(process.get(), processId, LimitOf(timeoutMs), IsMessageBox, "a message box");
}

void PressButton(HWND dialog, int buttonId) {
  if (HWND button = ::GetDlgItem(dialog, buttonId)) ::PostMessageW(button, BM_CLICK, 0, 0);
}

void PressKey(WORD virtualKey) {
  INPUT down{};
  down.type = INPUT_KEYBOARD;
  down.ki.wVk = virtualKey;
  INPUT up = down;
  up.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInputs({down, up});
}

void MovePointerTo(int x, int y) {
  const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
  SendInputs({PointerInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (x * 65535 + w / 2) / (w - 1),
                           (y * 65535 + h / 2) / (h - 1))});
}

void MovePointerOnDesktopTo(int x, int y) {
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int w = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), h = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  SendInputs({PointerInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK,
                           ((x - left) * 65535 + w / 2) / (w - 1), ((y - top) * 65535 + h / 2) / (h - 1))});
}

void MovePointerBy(int dx, int dy) { SendInputs({PointerInput(MOUSEEVENTF_MOVE, dx, dy)}); }

void ClickHere() { SendInputs({PointerInput(MOUSEEVENTF_LEFTDOWN), PointerInput(MOUSEEVENTF_LEFTUP)}); }

void ClickAt(int x, int y) {
  MovePointerTo(x, y);
  // The click goes where the pointer stands once the move is taken.
  (void)WaitUntil(
      [&] {
        const POINT at = PointerPosition();
        return std::abs(at.x - x) <= 1 && std::abs(at.y - y) <= 1;
      },
      kLivenessMs);
  ClickHere();
}

POINT PointerPosition() {
  POINT point{};
  ::GetCursorPos(&point);
  return point;
}

bool PointerVisible() {
  CURSORINFO info{};
  info.cbSize = sizeof info;
  return ::GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING) != 0;
}

int ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

Screenshot TakeScreenshot() { return TakeScreenshotOf({0, 0, ScreenWidth(), ScreenHeight()}); }

Screenshot TakeScreenshotOf(const RECT& area) {
  Screenshot shot;
  shot.width = area.right - area.left;
  shot.height = area.bottom - area.top;
  shot.pixels.resize(static_cast<std::size_t>(shot.width) * shot.height);
  ScopedGetDc screen(nullptr);
  UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return shot;
  {
    ScopedSelect select(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, shot.width, shot.height, screen.get(), area.left, area.top, SRCCOPY);
  }
  ::GdiFlush();
  const auto* source = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < shot.pixels.size(); ++i) shot.pixels[i] = source[i] & 0xFFFFFF;
  return shot;
}

bool Screenshot::SaveBmp(const std::wstring& path) const {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = -height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  const DWORD bytes = static_cast<DWORD>(pixels.size() * 4);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + bytes;
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(pixels.data()), bytes);
  return static_cast<bool>(out);
}

std::optional<std::wstring> ScreenshotPath(std::wstring_view name) {
  wchar_t folder[MAX_PATH];
  const DWORD length = ::GetEnvironmentVariableW(L"LUMIROLL_SCREENSHOT_DIR", folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  return std::wstring(folder) + L"\\" + std::wstring(name) + L".bmp";
}

std::optional<std::wstring> ReadRegistryText(HKEY root, std::wstring_view subkey, std::wstring_view name) {
  const std::wstring key(subkey), value(name);
  wchar_t buffer[4096];
  DWORD size = sizeof buffer;
  if (::RegGetValueW(root, key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(buffer);
}

void WriteRegistryText(HKEY root, std::wstring_view subkey, std::wstring_view name, std::wstring_view text) {
  const std::wstring key(subkey), value(name), data(text);
  ::RegSetKeyValueW(root, key.c_str(), value.c_str(), REG_SZ, data.c_str(),
                    static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

void WriteRegistryDword(HKEY root, std::wstring_view subkey, std::wstring_view name, DWORD data) {
  const std::wstring key(subkey), value(name);
  ::RegSetKeyValueW(root, key.c_str(), value.c_str(), REG_DWORD, &data, sizeof data);
}

void DeleteRegistryValue(HKEY root, std::wstring_view subkey, std::wstring_view name) {
  const std::wstring key(subkey), value(name);
  ::RegDeleteKeyValueW(root, key.c_str(), value.c_str());
}

void DeleteRegistryTree(HKEY root, std::wstring_view subkey) {
  const std::wstring key(subkey);
  ::RegDeleteTreeW(root, key.c_str());
  ::RegDeleteKeyW(root, key.c_str());
}

void StoreSettings(std::wstring_view time, std::wstring_view size, std::wstring_view folder, std::wstring_view order) {
  WriteRegistryText(HKEY_CURRENT_USER, kSettingsKey, L"PhotoDisplayTime", time);
  WriteRegistryText(HKEY_CURRENT_USER, kSettingsKey, L"PhotoSize", size);
  WriteRegistryText(HKEY_CURRENT_USER, kSettingsKey, L"PhotoDirectory", folder);
  WriteRegistryText(HKEY_CURRENT_USER, kSettingsKey, L"PhotoOrder", order);
}

void ClearSettings() { DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsKey); }

constexpr wchar_t kApplicationKey[] = L"Software\\Lumiroll";

UnwritableSettings::UnwritableSettings() {
  DeleteRegistryTree(HKEY_CURRENT_USER, kApplicationKey);
  UniqueKey key;
  made_ = ::RegCreateKeyExW(HKEY_CURRENT_USER, kApplicationKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_READ, nullptr,
                            key.put(), nullptr) == ERROR_SUCCESS;
}

UnwritableSettings::~UnwritableSettings() { DeleteRegistryTree(HKEY_CURRENT_USER, kApplicationKey); }

std::wstring FreshFolder(std::wstring_view name) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring parent = std::wstring(temp) + L"lumiroll-e2e";
  ::CreateDirectoryW(parent.c_str(), nullptr);
  static unsigned counter = 0;
  for (;;) {
    const std::wstring folder = parent + L"\\" + std::wstring(name) + L"-" + std::to_wstring(::GetCurrentProcessId()) +
                                L"-" + std::to_wstring(++counter);
    if (::CreateDirectoryW(folder.c_str(), nullptr)) return folder;
  }
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring AssetPath(std::wstring_view relative) {
  // The source tree is reached through Wine's Z: drive.
  std::wstring path = L"Z:" LUMIROLL_ASSETS_DIR_W L"/" + std::wstring(relative);
  for (auto& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

}  // namespace lumiroll::e2e
