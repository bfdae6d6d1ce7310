#include "saver/win32/show_start.h"

#include "platform/folder_reader.h"
#include "platform/win32/message_box.h"
#include "saver/image_list.h"
#include "saver/show_state.h"
#include "saver/win32/password.h"
#include "shared/message_titles.h"

namespace lumiroll {

ShowStart CheckShowStart(const Settings& settings) {
  ShowStart start;
  BuildImageList(settings.PhotoDirectory, ImagePattern, start.ImageCount, start.ImageNames, FileSystemFolderReader(),
                 &start.OnlineOnly);
  if (start.ImageCount < 1) {
    ShowMessage(ImageFolderMessage(start.ImageCount, settings.PhotoDirectory), kErrorTitle);
    return start;
  }
  if (settings.PhotoOrder == kRandom) ShuffleImages(start.ImageNames);
  start.UsePassword = ReadUsePassword();
  start.outcome = SettingsComplete(settings) ? ShowStartOutcome::Show : ShowStartOutcome::SettingsDialog;
  return start;
}

}  // namespace lumiroll
