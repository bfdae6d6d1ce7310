// Answers through its exit code whether the desktop says a screen saver runs: 1 yes, 0 no.
// A fresh process each time: a process may keep the answer it was first given.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  BOOL running = FALSE;
  ::SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  return running ? 1 : 0;
}
