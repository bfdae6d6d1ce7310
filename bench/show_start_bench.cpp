// How soon the show covers the screen and the settings dialog opens, whatever the photo folder's
// listing does: today's build beside the one under test, on folders of 4 and of 32,767 files and on
// one mirrored through FUSE whose listing stalls. Figures, not pass/fail:
//   /s to the window on the screen (polled from outside, both builds) and to the cover shown as the
//   counting build measures it inside (process creation to the window shown);
//   a key during a stalled listing to the process gone, beside a plain ending of the same run;
//   /s to the first photograph with 32,767 files;
//   the settings dialog on the screen with a stalled listing, and Cancel to the process gone.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/median.h"
#include "driver.h"
#include "saver/config/settings_dialog_layout.h"
#include "saver/win32/show_counters.h"
#include "screen_watch.h"
#include "stalling_folder.h"
#include "test_photos.h"

using namespace lumiroll::e2e;
using lumiroll::bench::Median;

namespace {

constexpr wchar_t kShowTitle[] = L"SCRNSAVE: Lumiroll Screen Saver";
constexpr double kStallSeconds = 10;  // today's build waits this long for each listing
constexpr DWORD kGiveUpMs = 60000;

double Worst(const std::vector<double>& v) { return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()); }

void Print(const char* label, const char* what, const std::vector<double>& times, int tries) {
  std::printf("%-9s %-52s median %8.1f ms  worst %8.1f ms  (%zu of %d)\n", label, what, Median(times), Worst(times),
              times.size(), tries);
}

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

void EndProgram(const RunningProgram& program) {
  program.Kill();
  (void)program.WaitForExit(10000);
}

struct Start {
  std::vector<double> window, inside, code, firstPhoto, keyToGone;
};

// One /s: the window up (polled every millisecond), the counting build's own figure, the first
// photograph when asked, then a key and the time to the process gone.
void StartOnce(const std::wstring& saver, const std::wstring& folder, bool photo, bool key, bool counted,
               Start& start) {
  MovePointerTo(10, 10);
  StoreSettings(L"30", L"1", folder, L"1");
  const double begun = NowMilliseconds();
  const RunningProgram program = RunningProgram::Start(saver, L"/s");
  if (!WaitForWindow(kShowTitle, L"", program.id(), kGiveUpMs)) return EndProgram(program);
  start.window.push_back(NowMilliseconds() - begun);
  lumiroll::ShowCounters inside{};  // written just after the window shows
  if (counted && WaitUntil([&] { return (inside = ReadCounters()).coveredMicroseconds > 0; }, 2000, 1)) {
    start.inside.push_back(inside.coveredMicroseconds / 1000.0);
    start.code.push_back((inside.coveredMicroseconds - inside.codeMicroseconds) / 1000.0);
  }
  if (photo && WaitUntil([] { return ScreenPixel(ScreenWidth() / 2, ScreenHeight() / 2) != 0; }, kGiveUpMs, 2))
    start.firstPhoto.push_back(NowMilliseconds() - begun);
  if (key) {
    ::Sleep(300);  // past Wine's first unrequested pointer movement
    PressKey(VK_SPACE);
    const double pressed = NowMilliseconds();
    if (program.WaitForExit(kGiveUpMs)) start.keyToGone.push_back(NowMilliseconds() - pressed);
  }
  EndProgram(program);
}

struct Dialog {
  std::vector<double> shown, cancelToGone;
};

void DialogOnce(const std::wstring& saver, const std::wstring& folder, Dialog& dialog) {
  StoreSettings(L"5", L"1", folder, L"1");
  const double begun = NowMilliseconds();
  const RunningProgram program = RunningProgram::Start(saver, L"/c");
  const HWND window = WaitForWindow(L"Lumiroll Settings", L"", program.id(), kGiveUpMs);
  if (!window) return EndProgram(program);
  dialog.shown.push_back(NowMilliseconds() - begun);
  ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(lumiroll::kIdCommandCancel, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(window, lumiroll::kIdCommandCancel)));
  const double cancelled = NowMilliseconds();
  if (program.WaitForExit(kGiveUpMs)) dialog.cancelToGone.push_back(NowMilliseconds() - cancelled);
  EndProgram(program);
}

}  // namespace

// lumiroll_bench_show_start.exe TODAY.scr OURS.scr COUNTING.scr LARGE-FOLDER [ROUNDS] : LARGE-FOLDER
// holds 32,767 files, the first in order a photograph.
int wmain(int argc, wchar_t** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: lumiroll_bench_show_start TODAY.scr OURS.scr COUNTING.scr LARGE-FOLDER [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 5 ? std::max(1, _wtoi(argv[5])) : 3;
  DeleteRegistryValue(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"ScreenSaveUsePassword");
  const std::wstring four = FreshFolder(L"start four");
  for (const wchar_t* name : {L"a.bmp", L"b.bmp", L"c.bmp", L"d.bmp"})
    WriteSolidBmp(four + L"\\" + name, 200, 150, 0xE02020);
  const std::wstring large = argv[4];
  WriteSolidBmp(large + L"\\a.bmp", 200, 150, 0xE02020);
  const StallingFolder stalling(L"start");
  const bool canStall = stalling.unavailable().empty();
  if (canStall) {
    WriteSolidBmp(stalling.source() + L"\\a.bmp", 200, 150, 0xE02020);
  } else {
    std::printf("no stalled listing: %s\n", stalling.unavailable().c_str());
  }
  std::printf("screen %d x %d; a stalled listing answers after %.0f s\n", ScreenWidth(), ScreenHeight(), kStallSeconds);
  const std::pair<const char*, std::wstring> builds[] = {{"today", argv[1]}, {"ours", argv[2]}, {"counting", argv[3]}};
  for (const auto& [label, saver] : builds) {
    Start plain, big, stalled;
    Dialog dialogPlain, dialogStalled;
    const bool counted = std::string(label) == "counting";
    for (int round = 0; round < rounds; ++round) {
      StartOnce(saver, four, false, true, counted, plain);
      StartOnce(saver, large, true, false, counted, big);
      DialogOnce(saver, four, dialogPlain);
      if (!canStall) continue;
      stalling.StallListing({}, kStallSeconds);
      StartOnce(saver, stalling.path(), false, true, counted, stalled);
      DialogOnce(saver, stalling.path(), dialogStalled);
      stalling.ReleaseListing();
    }
    Print(label, "/s to the window shown, 4 files", plain.window, rounds);
    Print(label, "/s to the window shown, 32,767 files", big.window, rounds);
    Print(label, "/s to the window shown, stalled listing", stalled.window, canStall ? rounds : 0);
    if (!plain.inside.empty()) {
      Print(label, "inside: process start to cover, 4 files", plain.inside, rounds);
      Print(label, "inside: process start to cover, 32,767 files", big.inside, rounds);
      Print(label, "inside: process start to cover, stalled listing", stalled.inside, canStall ? rounds : 0);
      Print(label, "inside: program's first code to cover, 4 files", plain.code, rounds);
      Print(label, "inside: program's first code to cover, 32,767", big.code, rounds);
      Print(label, "inside: program's first code to cover, stalled", stalled.code, canStall ? rounds : 0);
    }
    Print(label, "/s to the first photograph, 32,767 files", big.firstPhoto, rounds);
    Print(label, "key to gone, plain show", plain.keyToGone, rounds);
    Print(label, "key to gone, during a stalled listing", stalled.keyToGone, canStall ? rounds : 0);
    Print(label, "settings dialog shown, plain", dialogPlain.shown, rounds);
    Print(label, "settings dialog shown, stalled listing", dialogStalled.shown, canStall ? rounds : 0);
    Print(label, "Cancel to gone, plain", dialogPlain.cancelToGone, rounds);
    Print(label, "Cancel to gone, stalled listing", dialogStalled.cancelToGone, canStall ? rounds : 0);
  }
  ClearSettings();
  return 0;
}
