#include "saver/downloads.h"

#include <set>
#include <utility>

#include "saver/detached_thread.h"

namespace lumiroll {

Downloads::Downloads(Fetch fetch, std::function<void()> arrived, int maxAtOnce, StartThread startThread)
    : shared_(std::make_shared<Shared>()) {
  shared_->fetch = std::move(fetch);
  shared_->arrived = std::move(arrived);
  shared_->maxAtOnce = maxAtOnce;
  shared_->startThread = startThread ? std::move(startThread) : &StartStandardDetachedThread;
}

Downloads::~Downloads() {
  std::lock_guard lock(shared_->mutex);
  shared_->ended = true;
}

void Downloads::MarkOnlineOnly(std::int16_t image, std::wstring path) {
  std::lock_guard lock(shared_->mutex);
  shared_->files[image] = File{std::move(path)};
}

bool Downloads::Available(std::int16_t image) {
  std::int16_t start = 0;
  {
    std::lock_guard lock(shared_->mutex);
    const auto found = shared_->files.find(image);
    if (found == shared_->files.end() || found->second.state == State::Arrived) return true;
    found->second.asked = true;
    start = BeginNext(*shared_);
  }
  if (start) Start(shared_, start);
  return false;
}

std::int16_t Downloads::BeginNext(Shared& shared) {
  if (shared.ended || shared.underWay >= shared.maxAtOnce) return 0;
  for (auto& [image, file] : shared.files) {
    if (!file.asked || file.state != State::Waiting) continue;
    file.state = State::UnderWay;
    ++shared.underWay;
    return image;
  }
  return 0;
}

// Outside the lock: the thread it starts takes it.
void Downloads::Start(const std::shared_ptr<Shared>& shared, std::int16_t image) {
  const bool started = shared->startThread([shared, image] {
    std::int16_t next = image;
    while (next) {
      std::wstring path;
      {
        std::lock_guard lock(shared->mutex);
        path = shared->files[next].path;
      }
      bool whole = false;
      try {
        whole = shared->fetch(path);
      } catch (...) {
        whole = false;  // nothing may end the thread, and so the program
      }
      std::lock_guard lock(shared->mutex);
      File& file = shared->files[next];
      // A failed download is asked for again at the file's next turn.
      file.state = whole ? State::Arrived : State::Waiting;
      file.asked = false;
      --shared->underWay;
      if (!shared->ended && shared->arrived) shared->arrived();
      next = BeginNext(*shared);
    }
  });
  if (started) return;
  std::lock_guard lock(shared->mutex);
  shared->files[image].state = State::Waiting;
  --shared->underWay;
}

void MarkOnlineOnly(Downloads& downloads, const std::vector<std::wstring>& ImageNames,
                    const std::vector<std::wstring>& onlineOnly,
                    const std::function<std::wstring(const std::wstring& name)>& pathOf) {
  if (onlineOnly.empty()) return;
  const std::set<std::wstring> online(onlineOnly.begin(), onlineOnly.end());
  for (std::size_t i = 0; i < ImageNames.size(); ++i)
    if (online.contains(ImageNames[i]))
      downloads.MarkOnlineOnly(static_cast<std::int16_t>(i + 1), pathOf(ImageNames[i]));
}

}  // namespace lumiroll
