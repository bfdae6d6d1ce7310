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

std::wstring SaverNotCopiedMessage(std::wstring_view source, std::wstring_view target, bool sourceExists) {
  if (!sourceExists)
    return L"Setup cannot find " + std::wstring(source) +
           L".\nRun Setup from the folder Lumiroll was unpacked into. Nothing was installed.";
  return L"Setup could not copy " + std::wstring(source) + L" to " + std::wstring(target) +
         L".\nIf the screen saver is running, end it, then run Setup again. Nothing was installed.";
}

}  // namespace lumiroll
