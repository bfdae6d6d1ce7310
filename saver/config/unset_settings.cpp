#include "saver/config/unset_settings.h"

namespace lumiroll {

void FillUnsetSettings(Settings& settings) {
  if (settings.PhotoSize == 0) settings.PhotoSize = kFitScreen;
  if (settings.PhotoOrder == 0) settings.PhotoOrder = kAlphabetic;
  if (settings.PhotoDirectory == kNotConfigured) settings.PhotoDirectory = kStartFolderWhenUnset;
}

}  // namespace lumiroll
