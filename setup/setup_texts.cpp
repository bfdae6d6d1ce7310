#include "setup/setup_texts.h"

namespace lumiroll {

std::wstring MissingComponentsTitle() { return L"Lumiroll Error " + std::to_wstring(kMissingComponentsError); }

std::wstring MissingComponentsMessage() {
  return L"Your computer is missing some required software components.\n"
         L"Lumiroll requires the Windows Common Controls 6.0 package (comctl32.dll).\n"
         L"This package is available for free at ...\n"
         L"\n"
         L"https://www.example.com/lumiroll/runtime";
}

}  // namespace lumiroll
