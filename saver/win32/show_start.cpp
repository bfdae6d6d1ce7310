#include "saver/win32/show_start.h"

#include <windows.h>

#include <optional>

#include "platform/process.h"
#include "platform/win32/folder_reader.h"
#include "platform/win32/handles.h"
#include "platform/win32/window.h"
#include "saver/image_list.h"
#include "saver/latest_work.h"
#include "saver/show_state.h"

namespace lumiroll {
namespace {

ShowStart ListShowImages(const std::wstring& folder, std::int16_t PhotoOrder) {
  ShowStart start;
  BuildImageList(folder, ImagePattern, start.ImageCount, start.ImageNames, FileSystemFolderReader(), &start.OnlineOnly);
  if (start.ImageCount >= 1 && PhotoOrder == kRandom) ShuffleImages(start.ImageNames);
  return start;
}

}  // namespace

ShowStart AwaitShowImages(const Settings& settings) {
  const UniqueHandle listed(::CreateEventW(nullptr, TRUE, FALSE, nullptr));  // declared first: outlives the work
  LatestWork<ShowStart> listing([event = listed.get()] { ::SetEvent(event); }, 1);
  listing.Request(
      [folder = settings.PhotoDirectory, order = settings.PhotoOrder] { return ListShowImages(folder, order); });
  const HANDLE handles[] = {listed.get()};
  for (;;) {
    if (std::optional<ShowStart> start = listing.TakeFinished()) return std::move(*start);
    if (ProcessPendingEvents()) EndProgram();  // nothing here asks the loop to end
    WaitForEvents(INFINITE, handles);
  }
}

}  // namespace lumiroll
