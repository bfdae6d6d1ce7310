// Another program on the desktop during the show:
//   desktop_standin activate   shows a window of its own and makes it the active one; stays 30 s
//   desktop_standin mode W H   changes the screen's resolution, as a game would, and ends
// Exit code 0 when the desktop did as asked.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

namespace {

int Activate() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ::DefWindowProcW;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"LumirollStandinWindow";
  windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  ::RegisterClassW(&windowClass);
  HWND window = ::CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"Another program", WS_POPUP | WS_VISIBLE,
                                  100, 100, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!window) return 1;
  ::SetForegroundWindow(window);
  const ULONGLONG end = ::GetTickCount64() + 30000;
  MSG message;
  while (::GetTickCount64() < end) {
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
  return 0;
}

int ChangeMode(int width, int height) {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  return ::ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!arguments) return 2;
  int result = 2;
  if (count == 2 && std::wcscmp(arguments[1], L"activate") == 0) result = Activate();
  if (count == 4 && std::wcscmp(arguments[1], L"mode") == 0)
    result = ChangeMode(std::wcstol(arguments[2], nullptr, 10), std::wcstol(arguments[3], nullptr, 10));
  ::LocalFree(arguments);
  return result;
}
