#include "uninstal/uninstall.h"

#include "shared/paths.h"

namespace lumiroll {
namespace {

std::wstring CouldNotRemoveMessage(std::wstring_view path) {
  return L"The screen saver file could not be removed:\n" + std::wstring(path);
}

}  // namespace

std::wstring ScreenSaverPath(std::wstring_view systemFolder) {
  // Without a system folder the name would point at the root of the current drive.
  if (systemFolder.empty()) return {};
  return JoinPath(systemFolder, L"\\Lumiroll.scr");
}

std::wstring RunUninstall(FileSystem& files, SettingsStore& store, std::wstring_view systemFolder) {
  const std::wstring path = ScreenSaverPath(systemFolder);
  const bool wasThere = !path.empty() && files.Exists(path);
  if (wasThere) (void)files.Delete(path);
  store.DeleteSection();
  if (path.empty()) return CouldNotRemoveMessage(L"Lumiroll.scr (the system folder could not be found)");
  if (wasThere && files.Exists(path)) return CouldNotRemoveMessage(path);
  return std::wstring(kUninstallSucceeded);
}

}  // namespace lumiroll
