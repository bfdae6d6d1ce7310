#include "platform/win32/message_box.h"

#include <string>

namespace lumiroll {

void ShowMessage(std::wstring_view text, std::wstring_view title, HWND owner) {
  const std::wstring t(text), c(title);
  ::MessageBoxW(owner, t.c_str(), c.c_str(), MB_OK);
}

}  // namespace lumiroll
