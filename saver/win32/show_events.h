#pragma once
#include <windows.h>

#include <functional>

#include "saver/show_engine.h"

namespace lumiroll {

// The show's event loop: blocks in the operating system until input, the end of the wait or a
// finished decode ahead, handles the events and runs the next cycle when the wait is over.
// Returns the exit code once the show has posted its end.
int RunShowEvents(const ShowEngine& engine, HANDLE decodeFinished, const std::function<void()>& runCycle);

}  // namespace lumiroll
