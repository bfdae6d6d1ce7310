#pragma once
// A thread that nobody joins: for work that may never return (a read on a share that stopped
// answering), so that ending the program never waits for it.
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace lumiroll {

// Starts a thread that runs work and is never joined; false when none can be started.
using StartDetachedThread = std::function<bool(std::function<void()> work)>;

// The thread waits until it is detached: MinGW's threads (winpthreads) can free the record of a
// thread that ends while it is being detached and hand it to the next new thread while the old one
// still writes to it, which then spins for ever on a lock the memory holds.
inline bool StartStandardDetachedThread(std::function<void()> work) {
  try {
    auto detaching = std::make_shared<std::mutex>();
    std::unique_lock held(*detaching);
    std::thread([detaching, work = std::move(work)] {
      { const std::lock_guard detached(*detaching); }
      work();
    }).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

}  // namespace lumiroll
