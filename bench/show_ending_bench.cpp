// How fast the show ends, measured from outside as a user meets it: two builds of Lumiroll.scr
// (today's and the one under test) in turn, on a plain folder and on one mirrored through FUSE
// whose next photograph stops answering. From a key, a click or a pointer movement, it prints the
// time to the window hidden (its visible state, polled every millisecond) and to the process
// gone, and whether a start right after shows. (What the screen shows is left out: with no window
// manager, Xvfb may leave the last photograph there after its window has gone.) The times include
// Wine's delivery of the input. Figures, not pass/fail.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/median.h"
#include "driver.h"
#include "screen_watch.h"
#include "stalling_folder.h"
#include "test_photos.h"

using namespace lumiroll::e2e;
using lumiroll::bench::Median;

namespace {

constexpr wchar_t kShowTitle[] = L"SCRNSAVE: Lumiroll Screen Saver";
constexpr double kGiveUpMs = 10000;

enum class Input { Key, Click, Movement };
constexpr Input kInputs[] = {Input::Key, Input::Click, Input::Movement};
constexpr const char* kInputNames[] = {"key", "click", "movement"};

void Act(Input input) {
  switch (input) {
    case Input::Key: PressKey(VK_SPACE); break;
    case Input::Click: ClickHere(); break;
    case Input::Movement: MovePointerBy(3, 0); break;
  }
}

std::uint32_t CentrePixel() { return ScreenPixel(ScreenWidth() / 2, ScreenHeight() / 2); }

struct Endings {
  std::vector<double> hidden, gone;
  int notEnded = 0;
  int nextStartShown = 0, nextStarts = 0;
};

// Started again at once after an ending: does its window show within 5 s?
void StartAgain(const std::wstring& saver, Endings& endings) {
  const RunningProgram program = RunningProgram::Start(saver, L"/s");
  ++endings.nextStarts;
  if (WaitForWindow(kShowTitle, L"", program.id(), 5000)) ++endings.nextStartShown;
  program.Kill();
  (void)program.WaitForExit(10000);
}

// One show, ended by the input once the next photograph is past its due time; then, when asked,
// started again before a show that did not end is killed.
void EndOnce(const std::wstring& saver, const std::wstring& folder, Input input, bool startAgain, Endings& endings) {
  MovePointerTo(10, 10);
  StoreSettings(L"1", L"1", folder, L"1");
  const RunningProgram program = RunningProgram::Start(saver, L"/s");
  const HWND window = WaitForWindow(kShowTitle, L"", program.id());
  if (!window || !WaitUntil([] { return CentrePixel() != 0; }, 10000, 2)) return;
  ::Sleep(2000);  // the second photograph is due; its read may stall
  const double pressed = NowMilliseconds();
  Act(input);
  double hidden = -1, gone = -1;
  while (NowMilliseconds() - pressed < kGiveUpMs && (hidden < 0 || gone < 0)) {
    const double now = NowMilliseconds() - pressed;
    if (hidden < 0 && !::IsWindowVisible(window)) hidden = now;
    if (gone < 0 && !program.IsRunning()) gone = now;
    ::Sleep(1);
  }
  if (gone < 0) {
    ++endings.notEnded;
  } else {
    endings.hidden.push_back(hidden);
    endings.gone.push_back(gone);
  }
  if (startAgain) StartAgain(saver, endings);
  program.Kill();
  (void)program.WaitForExit(10000);
}

void Print(const char* label, const char* folder, const char* input, const Endings& e) {
  const auto worst = [](const std::vector<double>& v) {
    return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
  };
  std::printf(
      "%-6s %-22s %-8s hidden median %6.1f worst %6.1f ms | process gone median %6.1f worst %6.1f ms | "
      "not ended within 10 s: %d of %zu",
      label, folder, input, Median(e.hidden), worst(e.hidden), Median(e.gone), worst(e.gone), e.notEnded,
      e.gone.size() + e.notEnded);
  if (e.nextStarts > 0) std::printf(" | next start shown %d of %d", e.nextStartShown, e.nextStarts);
  std::printf("\n");
}

void WriteThree(const std::wstring& folder) {
  WriteSolidBmp(folder + L"\\a.bmp", 200, 150, 0xE02020);
  WriteSolidBmp(folder + L"\\b.bmp", 200, 150, 0x20C040);
  WriteSolidBmp(folder + L"\\c.bmp", 200, 150, 0x2040E0);
}

}  // namespace

// lumiroll_bench_show_ending.exe TODAY.scr OURS.scr [ROUNDS]
int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: lumiroll_bench_show_ending TODAY.scr OURS.scr [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 3 ? std::max(1, _wtoi(argv[3])) : 5;
  DeleteRegistryValue(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"ScreenSaveUsePassword");
  const std::wstring plain = FreshFolder(L"ending plain");
  WriteThree(plain);
  const StallingFolder stalling(L"ending");
  if (stalling.unavailable().empty()) {
    WriteThree(stalling.source());
    stalling.Stall(L"b.bmp");
  } else {
    std::printf("no stalled read: %s\n", stalling.unavailable().c_str());
  }
  std::printf("from a key, a click or a pointer movement (%d each), a 1 s show ended 2 s after its first photograph\n",
              rounds);
  const std::pair<const char*, std::wstring> builds[] = {{"today", argv[1]}, {"ours", argv[2]}};
  for (const auto& [label, saver] : builds) {
    Endings plainEndings[3], stalledEndings[3];
    for (int round = 0; round < rounds; ++round) {
      for (int i = 0; i < 3; ++i) {
        EndOnce(saver, plain, kInputs[i], false, plainEndings[i]);
        if (stalling.unavailable().empty()) EndOnce(saver, stalling.path(), kInputs[i], true, stalledEndings[i]);
      }
    }
    for (int i = 0; i < 3; ++i) Print(label, "nothing stalled", kInputNames[i], plainEndings[i]);
    if (stalling.unavailable().empty())
      for (int i = 0; i < 3; ++i) Print(label, "next photograph stalls", kInputNames[i], stalledEndings[i]);
  }
  ClearSettings();
  return 0;
}
