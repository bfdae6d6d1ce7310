#pragma once
// A thread that nobody joins: for work that may never return (a read on a share that stopped
// answering), so that ending the program never waits for it.
#include <functional>
#include <system_error>
#include <thread>
#include <utility>

namespace lumiroll {

// Starts a thread that runs work and is never joined; false when none can be started.
using StartDetachedThread = std::function<bool(std::function<void()> work)>;

inline bool StartStandardDetachedThread(std::function<void()> work) {
  try {
    std::thread(std::move(work)).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

}  // namespace lumiroll
