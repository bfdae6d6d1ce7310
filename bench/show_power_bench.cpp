// The show while the display is off, and the time it holds the system timer at 1 ms, for
// today's build beside this one, on three small photographs of different colours.
//   display off: the display-off message sent to a 1 s show, then the changes of the screen's
//     centre over the measured time; for the counting build (this tree's show, built to count and
//     to use only the coarse timer's fallback) also its decodes and paints, which should be 0;
//   1 ms timer precision: the counting build's time with the 1 ms period asked for, as a share of
//     a 5 s show's time. Today's build asks for it for the whole show (100%); this tree's show,
//     where the system has a high-resolution waitable timer (Wine does), never asks (0%).
// Figures, not pass/fail.
#include <windows.h>
#include <timeapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "desktop_messages.h"
#include "driver.h"
#include "saver/win32/show_counters.h"
#include "test_photos.h"

using namespace lumiroll::e2e;

namespace {

constexpr wchar_t kShowTitle[] = L"SCRNSAVE: Lumiroll Screen Saver";

struct Show {
  RunningProgram program;
  HWND window = nullptr;
};

Show Start(const std::wstring& saver, const std::wstring& folder, const wchar_t* seconds) {
  StoreSettings(seconds, L"1", folder, L"1");
  Show show{RunningProgram::Start(saver, L"/s")};
  show.window = WaitForWindow(kShowTitle, L"", show.program.id());
  // The first photograph on the screen.
  (void)WaitUntil([] { return TakeScreenshot().At(ScreenWidth() / 2, ScreenHeight() / 2) != 0; }, 10000);
  return show;
}

void End(Show& show) {
  show.program.Kill();
  (void)show.program.WaitForExit(10000);
  ::Sleep(300);
}

int CentreChanges(DWORD milliseconds) {
  int changes = 0;
  std::uint32_t last = TakeScreenshot().At(ScreenWidth() / 2, ScreenHeight() / 2);
  for (const ULONGLONG end = ::GetTickCount64() + milliseconds; ::GetTickCount64() < end; ::Sleep(50)) {
    const std::uint32_t now = TakeScreenshot().At(ScreenWidth() / 2, ScreenHeight() / 2);
    if (now != last) ++changes;
    last = now;
  }
  return changes;
}

// The counting build's counts, read while it runs; zeros when it publishes none.
lumiroll::ShowCounters ReadCounters() {
  lumiroll::ShowCounters counters{};
  if (HANDLE section = ::OpenFileMappingW(FILE_MAP_READ, FALSE, lumiroll::kShowCountersName)) {
    if (const void* view = ::MapViewOfFile(section, FILE_MAP_READ, 0, 0, sizeof counters)) {
      counters = *static_cast<const lumiroll::ShowCounters*>(view);
      ::UnmapViewOfFile(view);
    }
    ::CloseHandle(section);
  }
  return counters;
}

void DisplayOff(const char* label, const std::wstring& saver, const std::wstring& folder, DWORD milliseconds,
                bool counted) {
  Show show = Start(saver, folder, L"1");
  const bool sent = SendDisplayState(show.program.process(), show.window, 0);
  const lumiroll::ShowCounters before = ReadCounters();
  const int changes = CentreChanges(milliseconds);
  const lumiroll::ShowCounters after = ReadCounters();
  std::printf("display off, %-7s %lu s at 1 s: %3d screen changes", label, milliseconds / 1000, changes);
  if (counted) std::printf(", %ld decodes, %ld paints", after.decodes - before.decodes, after.paints - before.paints);
  std::printf("%s\n", sent ? "" : " (the message was not taken)");
  End(show);
}

void FinePrecision(const std::wstring& counting, const std::wstring& folder, DWORD milliseconds) {
  Show show = Start(counting, folder, L"5");
  const lumiroll::ShowCounters before = ReadCounters();
  const DWORD start = ::timeGetTime();
  ::Sleep(milliseconds);
  const lumiroll::ShowCounters after = ReadCounters();
  const DWORD now = ::timeGetTime();
  auto fine = [now](const lumiroll::ShowCounters& c) {
    return static_cast<double>(c.fineMilliseconds) + (c.fineSince != 0 ? static_cast<double>(now - c.fineSince) : 0.0);
  };
  const double share = 100.0 * (fine(after) - fine(before)) / static_cast<double>(now - start);
  std::printf(
      "1 ms timer precision asked for, at 5 s a photograph over %lu s: today 100%% (the whole show), "
      "ours %.2f%% with the coarse timer's fallback, 0%% with a high-resolution timer; %ld paints\n",
      milliseconds / 1000, share, after.paints - before.paints);
  End(show);
}

}  // namespace

// lumiroll_bench_show_power.exe TODAY.scr OURS.scr COUNTING.scr [SECONDS]
int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: lumiroll_bench_show_power TODAY.scr OURS.scr COUNTING.scr [SECONDS]\n");
    return 2;
  }
  const DWORD milliseconds = 1000u * static_cast<DWORD>(argc > 4 ? std::max(5, _wtoi(argv[4])) : 60);
  DeleteRegistryValue(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"ScreenSaveUsePassword");
  const std::wstring folder = FreshFolder(L"power bench");
  WriteSolidBmp(folder + L"\\a.bmp", 400, 300, 0xE02020);
  WriteSolidBmp(folder + L"\\b.bmp", 400, 300, 0x20C040);
  WriteSolidBmp(folder + L"\\c.bmp", 400, 300, 0x2040E0);
  DisplayOff("today", argv[1], folder, milliseconds, false);
  DisplayOff("ours", argv[2], folder, milliseconds, false);
  DisplayOff("counted", argv[3], folder, milliseconds, true);
  FinePrecision(argv[3], folder, milliseconds);
  ClearSettings();
  return 0;
}
