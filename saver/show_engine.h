#pragma once
// The slide show as steps over its state: which picture each cycle shows, whether it paints, and
// when the wait after it is over. The window's event loop asks and carries the answers out; the
// key and pointer handlers change the same state between the asks. A cycle whose wait is over
// is due; the show moves to it (Next) once its picture is ready.
#include <cstdint>

#include "saver/show_state.h"

namespace lumiroll {

// One cycle of the show: an entry of ImageNames, painted (or not) at a scale.
struct ShowCycle {
  std::int16_t image = 1;  // from 1
  float scale = 0.0f;      // PaintPhoto's scale: 0 fits
  bool paint = true;
  friend bool operator==(const ShowCycle&, const ShowCycle&) = default;
};

class ShowEngine {
 public:
  // state is read and changed by the handlers too; it must outlive the engine.
  ShowEngine(ShowState& state, std::int16_t ImageCount, std::int16_t PhotoSize);

  // The show begins at this counter reading: its first cycle, the first picture, is due.
  void Begin(std::uint32_t now);
  // The wait after a cycle's paint starts at this counter reading, for the display time read now.
  void StartWait(std::uint32_t now);
  // True when the wait is over: its time has passed or a handler set SkipWait.
  [[nodiscard]] bool WaitOver(std::uint32_t now) const;
  // How long the loop may block for events; the "infinite" timeout before the show has begun.
  [[nodiscard]] std::uint32_t BlockFor(std::uint32_t now) const;
  // Ends the wait (SkipWait back to 0), advances, and says what the next cycle does.
  [[nodiscard]] ShowCycle Next();
  // The cycle Next would give if no handler changes the state before then: what to decode ahead.
  [[nodiscard]] ShowCycle Ahead() const;
  // The cycle Next would give after the Down key: what to keep for it.
  [[nodiscard]] ShowCycle Behind() const;
  // The show has ended: no further cycle.
  void Stop() { running_ = false; }
  // The display went off or came on (dimmed counts as on). While it is off no cycle is due, so
  // nothing is decoded or painted; when it comes on, the next photograph is due at once.
  void SetDisplayOn(bool on);
  // The machine woke from sleep: the next photograph is due at once, its period counted from then.
  void Resumed() { Hurry(); }
  // The desktop changed under the picture on the screen: within its wait, it is due again, made
  // for the new desktop. A cycle already due is made for the new desktop anyway.
  void Repeat(std::uint32_t now);

 private:
  [[nodiscard]] ShowCycle CycleFor(const ShowState& state);
  // Ends the wait, unless the cycle after it would paint nothing (paused): that waits its time.
  void Hurry();

  ShowState& state_;
  std::int16_t imageCount_;
  std::int16_t photoSize_;
  float scale_ = 0.0f;  // the previous cycle's, kept when PhotoSize names neither
  bool running_ = false;
  bool displayOn_ = true;
  bool cycleTaken_ = false;  // a cycle of this show has been on the screen
  std::uint32_t waitStart_ = 0;
  std::int32_t waitMilliseconds_ = 0;
};

}  // namespace lumiroll
