#pragma once
// The show's loader on this system: loads run on the loader's worker thread and each finished
// one sets an event the show's event loop waits on. A fitted picture comes as a frame of the
// surface's size, so that painting it at its due time is a copy.
#include <windows.h>

#include "platform/win32/handles.h"
#include "saver/background_loader.h"

namespace lumiroll {

class ShowLoader {
 public:
  ShowLoader();

  // Signalled when the newest request's picture is ready.
  [[nodiscard]] HANDLE FinishedEvent() const { return finished_.get(); }
  [[nodiscard]] BackgroundLoader& loader() { return loader_; }

 private:
  UniqueHandle finished_;  // declared first: the loader signals it until the loader has gone
  BackgroundLoader loader_;
};

}  // namespace lumiroll
