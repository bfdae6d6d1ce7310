// Uninstal.exe: not built yet beyond its start.
#include <windows.h>

#include "platform/process.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  lumiroll::RestrictDllSearchToSystemFolder();
  return 0;
}
