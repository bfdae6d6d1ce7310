#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

#include "saver/show_engine.h"

namespace lumiroll {

// The show's event loop: blocks in the operating system until input, the end of the wait, a
// finished load or the loader's watch, handles the events and paints the due cycle once its
// picture is ready. Returns the exit code if the loop ever sees a quit message.
int RunShowEvents(const ShowEngine& engine, HANDLE loadFinished, const std::function<bool()>& runDueCycle,
                  const std::function<std::uint32_t(std::uint32_t)>& loadWatch);

}  // namespace lumiroll
