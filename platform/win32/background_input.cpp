#include "platform/win32/background_input.h"

namespace lumiroll {
namespace {

constexpr USHORT kGenericDesktop = 0x01, kKeyboard = 0x06;  // HID usage page and usage
constexpr USHORT kNoKey = 0xFF;                             // part of an escaped sequence, no key of its own

}  // namespace

bool HearKeysInTheBackground(HWND window) {
  const RAWINPUTDEVICE keyboard{kGenericDesktop, kKeyboard, RIDEV_INPUTSINK, window};
  return ::RegisterRawInputDevices(&keyboard, 1, sizeof keyboard) != FALSE;
}

std::optional<WORD> BackgroundKeyDown(WPARAM wParam, LPARAM lParam) {
  if (GET_RAWINPUT_CODE_WPARAM(wParam) != RIM_INPUTSINK) return std::nullopt;
  RAWINPUT input{};
  UINT size = sizeof input;
  const UINT read =
      ::GetRawInputData(reinterpret_cast<HRAWINPUT>(lParam), RID_INPUT, &input, &size, sizeof input.header);
  if (read == static_cast<UINT>(-1) || read < sizeof input.header || input.header.dwType != RIM_TYPEKEYBOARD)
    return std::nullopt;
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-union-access): the system's union, tagged by dwType above
  const RAWKEYBOARD& key = input.data.keyboard;
  const bool down = key.Message == WM_KEYDOWN || key.Message == WM_SYSKEYDOWN;
  if (!down || key.VKey == kNoKey || key.VKey == 0) return std::nullopt;
  return key.VKey;
}

}  // namespace lumiroll
