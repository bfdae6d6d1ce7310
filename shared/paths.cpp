#include "shared/paths.h"

namespace lumiroll {

std::wstring JoinPath(std::wstring_view folder, std::wstring_view backslashName) {
  if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.remove_suffix(1);
  return std::wstring(folder) + std::wstring(backslashName);
}

}  // namespace lumiroll
