#include "saver/config/win32/preview_pane.h"

#include <algorithm>

#include "platform/millisecond_clock.h"
#include "saver/win32/paint_photo.h"
#include "saver/win32/picture_file_loads.h"

namespace lumiroll {
namespace {

// Posted by the loader's worker when a decode is done.
constexpr UINT kDecoded = WM_APP + 1;
// While a decode is awaited: its read is held to the loader's no-data limit.
constexpr UINT_PTR kDecodeWatch = 1;
constexpr UINT kDecodeWatchMilliseconds = 1000;

}  // namespace

bool PreviewPane::Create(HWND dialog, int id, RECT rectangle, PreviewMode mode) {
  mode_ = mode;
  // Black, with a thin border, over the monitor drawing's screen.
  if (!CreateSurface(dialog, rectangle, RGB(0, 0, 0), WS_BORDER)) return false;
  ::SetWindowLongPtrW(hwnd(), GWLP_ID, id);
  ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  loader_.emplace([](LoadJob& job) { return LoadJobPicture(job); },
                  [window = hwnd()] { ::PostMessageW(window, kDecoded, 0, 0); }, SystemLoaderOptions());
  pictures_.emplace(*loader_);
  return true;
}

void PreviewPane::ShowFile(std::int16_t listIndex, const std::wstring& path) {
  if (!pictures_) return;
  showsFile_ = true;
  pictures_->Select(listIndex, path, Area(), mode_);
  WatchDecode();
}

void PreviewPane::ShowNothing() {
  if (!pictures_) return;
  showsFile_ = false;
  pictures_->Forget();
  WatchDecode();
  Clear();
}

// With no file shown the pane stays black: the pictures held are of a file no longer listed.
void PreviewPane::ChangeMode(PreviewMode mode) {
  mode_ = mode;
  if (!pictures_ || !showsFile_) return;
  if (pictures_->Ready(mode_)) Paint();
  pictures_->RequestNext(mode_);  // the new mode's decode first, when it is not done yet
  WatchDecode();
}

void PreviewPane::MoveTo(RECT rectangle) {
  if (!hwnd()) return;
  ::SetWindowPos(hwnd(), nullptr, rectangle.left, rectangle.top, rectangle.right - rectangle.left,
                 rectangle.bottom - rectangle.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (showsFile_) Paint();
}

LRESULT PreviewPane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kDecoded) {
    OnDecoded();
    return 0;
  }
  if (message == WM_TIMER && wParam == kDecodeWatch) {
    WatchDecode();
    return 0;
  }
  return PictureSurface::HandleMessage(message, wParam, lParam);
}

PreviewArea PreviewPane::Area() const {
  return {ScaleWidth(), ScaleHeight(), ::GetSystemMetrics(SM_CXSCREEN), display_};
}

void PreviewPane::Paint() {
  // Nothing loaded since the dialog opened: the preview stays black.
  PaintPhoto(pictures_->PictureFor(mode_), *this, PreviewScaleFor(mode_, Area()));
}

void PreviewPane::OnDecoded() {
  if (pictures_->TakeFinished(mode_)) Paint();
  WatchDecode();
}

// A request waiting for a thread is not watched yet: the timer looks again a little later.
void PreviewPane::WatchDecode() {
  const std::optional<std::uint32_t> due = pictures_->Watch(MillisecondClock(), mode_);
  if (!due) {
    ::KillTimer(hwnd(), kDecodeWatch);
  } else if (*due == 0) {
    ::PostMessageW(hwnd(), kDecoded, 0, 0);  // given up: its failed result waits to be taken
  } else {
    ::SetTimer(hwnd(), kDecodeWatch, std::clamp<UINT>(*due, USER_TIMER_MINIMUM, kDecodeWatchMilliseconds), nullptr);
  }
}

}  // namespace lumiroll
