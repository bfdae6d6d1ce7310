// Window objects and the program's loop.
#include "platform/window.h"

#include <gtest/gtest.h>

namespace lumiroll {
namespace {

class Probe final : public Window {
 public:
  explicit Probe(int& destroyed) : destroyed_(destroyed) {}
  bool Open() {
    WindowOptions options;
    options.className = L"LumirollWindowTestProbe";
    options.style = WS_OVERLAPPED;
    return Create(options);
  }
  HWND handleAtNcCreate = nullptr;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NCCREATE) handleAtNcCreate = hwnd();
    return DefaultHandling(message, wParam, lParam);
  }
  void OnDestroyed() override { ++destroyed_; }

 private:
  int& destroyed_;
};

TEST(Window, TheObjectOwnsItsWindowAndOutlivesOneTheSystemCloses) {
  int destroyed = 0;
  Probe closed(destroyed);
  ASSERT_TRUE(closed.Open());
  const HWND first = closed.hwnd();
  EXPECT_EQ(closed.handleAtNcCreate, first);
  ::SendMessageW(first, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(first));
  EXPECT_EQ(closed.hwnd(), nullptr);
  EXPECT_EQ(destroyed, 1);

  HWND second = nullptr;
  {
    Probe ending(destroyed);
    ASSERT_TRUE(ending.Open());
    second = ending.hwnd();
  }
  EXPECT_FALSE(::IsWindow(second));
  EXPECT_EQ(destroyed, 1) << "an object that goes first is not told of its window's end";
}

TEST(MessageLoop, RunsOnAfterTheLastWindowClosesUntilTheProgramEndsIt) {
  int destroyed = 0;
  Probe only(destroyed);
  ASSERT_TRUE(only.Open());
  ::PostMessageW(only.hwnd(), WM_CLOSE, 0, 0);
  ::SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    QuitMessageLoop(7);
  });
  EXPECT_EQ(RunMessageLoop(), 7);
  EXPECT_EQ(destroyed, 1);
}

}  // namespace
}  // namespace lumiroll
