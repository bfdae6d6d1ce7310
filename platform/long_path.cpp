#include "platform/long_path.h"

#include <vector>

namespace lumiroll {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDrivePath(std::wstring_view path) {
  return path.size() >= 3 && path[1] == L':' && IsSeparator(path[2]) &&
         ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

// "\\server\share" or "//server/share", each part named; not "\\?\" or "\\.\".
bool IsNetworkPath(std::wstring_view path) {
  return path.size() >= 5 && IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] != L'?' && path[2] != L'.' &&
         !IsSeparator(path[2]);
}

std::vector<std::wstring_view> Components(std::wstring_view rest) {
  std::vector<std::wstring_view> parts;
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = start;
    while (end < rest.size() && !IsSeparator(rest[end])) ++end;
    parts.push_back(rest.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// The components after the root, with empty ones and "." dropped and ".." taking the one before
// (never the root's), joined by single "\". keep is the number of leading components that are
// the root itself (a share's server and name).
std::wstring Cleaned(std::wstring_view rest, std::size_t keep) {
  std::vector<std::wstring_view> kept;
  for (std::wstring_view part : Components(rest)) {
    if (part.empty() || part == L".") continue;
    if (part == L"..") {
      if (kept.size() > keep) kept.pop_back();
      continue;
    }
    kept.push_back(part);
  }
  if (kept.size() < keep) return {};
  std::wstring joined;
  for (std::wstring_view part : kept) {
    if (!joined.empty()) joined += L'\\';
    joined += part;
  }
  return joined;
}

}  // namespace

std::wstring ExtendedLengthPath(std::wstring_view path) {
  if (IsDrivePath(path)) {
    const wchar_t drive[] = {path[0], L':', L'\\', L'\0'};
    return L"\\\\?\\" + std::wstring(drive) + Cleaned(path.substr(3), 0);
  }
  if (IsNetworkPath(path)) {
    const std::wstring share = Cleaned(path.substr(2), 2);
    if (!share.empty()) return L"\\\\?\\UNC\\" + share;
  }
  return std::wstring(path);
}

std::wstring LongPathForm(const std::wstring& path) {
  return path.size() >= kLongPathFrom ? ExtendedLengthPath(path) : path;
}

}  // namespace lumiroll
