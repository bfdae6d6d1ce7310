#include "saver/win32/show_events.h"

#include <timeapi.h>

#include "saver/show_loop.h"
#include "saver/win32/deadline_timer.h"

namespace lumiroll {
namespace {

// The show's window has no dialog keys to translate; the end is the quit message it posts.
bool DispatchPending(int& exitCode) {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      exitCode = static_cast<int>(message.wParam);
      return false;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return true;
}

}  // namespace

int RunShowEvents(const ShowEngine& engine, HANDLE loadFinished, const std::function<bool()>& runDueCycle,
                  const std::function<std::uint32_t(std::uint32_t)>& loadWatch) {
  DeadlineTimer timer;
  int exitCode = 0;
  const ShowLoopServices services{
      [] { return static_cast<std::uint32_t>(::timeGetTime()); },
      [&](std::uint32_t timeout) { timer.Wait(loadFinished, timeout); },
      [&] { return DispatchPending(exitCode); },
      runDueCycle, loadWatch};
  RunShowLoop(engine, services);
  return exitCode;
}

}  // namespace lumiroll
