#include "saver/image_list.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <utility>

#include "shared/text_forms.h"

namespace lumiroll {
namespace {

// Wildcard match, "*" standing for any run of characters; the text is already upper-case.
bool MatchesPattern(std::wstring_view text, std::wstring_view pattern) {
  std::size_t t = 0, p = 0;
  std::size_t starAt = std::wstring_view::npos, resumeAt = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == L'*') {
      starAt = p++;
      resumeAt = t;
    } else if (p < pattern.size() && UpperCaseChar(pattern[p]) == text[t]) {
      ++p;
      ++t;
    } else if (starAt != std::wstring_view::npos) {
      p = starAt + 1;
      t = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

bool ListedAsFile(const FolderEntry& entry) { return !entry.isFolder && !entry.hidden && !entry.system; }

bool UpperNameMatches(std::wstring_view upperName, std::wstring_view patternList) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = patternList.find(L';', start);
    const std::wstring_view pattern = patternList.substr(start, end - start);
    if (!pattern.empty() && MatchesPattern(upperName, pattern)) return true;
    if (end == std::wstring_view::npos) return false;
    start = end + 1;
  }
}

// An entry with its name's upper-case form, made once rather than at every comparison of the sort.
struct SortableEntry {
  std::wstring upper;
  FolderEntry entry;
};

// Ascending ignoring case (the order CompareIgnoringCase gives); names that differ only in case,
// possible on case-sensitive file systems, still get one order.
bool ComesBefore(const SortableEntry& a, const SortableEntry& b) {
  const int byUpper = a.upper.compare(b.upper);
  return byUpper != 0 ? byUpper < 0 : a.entry.name < b.entry.name;
}

}  // namespace

bool MatchesPatternList(std::wstring_view name, std::wstring_view patternList) {
  return UpperNameMatches(UpperCase(name), patternList);
}

std::vector<FolderEntry> MatchingFiles(const std::vector<FolderEntry>& entries, std::wstring_view patternList) {
  std::vector<SortableEntry> matching;
  for (const FolderEntry& entry : entries) {
    if (!ListedAsFile(entry)) continue;
    std::wstring upper = UpperCase(entry.name);
    if (UpperNameMatches(upper, patternList)) matching.push_back({std::move(upper), entry});
  }
  // A list holds at most kMaxImageCount names: the first ones of the whole folder's order.
  const auto keep = std::min<std::size_t>(matching.size(), kMaxImageCount);
  std::partial_sort(matching.begin(), matching.begin() + static_cast<std::ptrdiff_t>(keep), matching.end(),
                    ComesBefore);
  std::vector<FolderEntry> files;
  files.reserve(keep);
  for (std::size_t i = 0; i < keep; ++i) files.push_back(std::move(matching[i].entry));
  return files;
}

std::vector<std::wstring> MatchingFileNames(const std::vector<FolderEntry>& entries, std::wstring_view patternList) {
  std::vector<std::wstring> names;
  for (FolderEntry& file : MatchingFiles(entries, patternList)) names.push_back(std::move(file.name));
  return names;
}

void BuildImageList(std::wstring_view folder, std::wstring_view patternList, std::int16_t& ImageCount,
                    std::vector<std::wstring>& ImageNames, const FolderReader& reader,
                    std::vector<std::wstring>* onlineOnly) {
  // The folder exists only when the file system reads it back as the very text given, case
  // aside: a relative path, a trailing separator or forward slashes do not count as found.
  const std::wstring readBack = reader.OpenFolder(folder);
  if (UpperCase(readBack) != UpperCase(folder)) {
    ImageCount = -1;
    return;
  }
  const std::vector<FolderEntry> files = MatchingFiles(reader.List(readBack), patternList);
  std::vector<std::wstring> names;
  for (const FolderEntry& file : files) {
    if (onlineOnly && file.onlineOnly) onlineOnly->push_back(file.name);
    names.push_back(file.name);
  }
  if (names.empty()) {
    ImageCount = 0;
    return;
  }
  ImageCount = static_cast<std::int16_t>(names.size());
  ImageNames = std::move(names);
}

void ShuffleImages(std::vector<std::wstring>& ImageNames, const RandomFraction& random) {
  const std::size_t n = ImageNames.size();
  for (std::size_t i = 0; i < n; ++i) {
    // Each step draws from the whole list. Double precision and the clamp keep a fraction a
    // hair below 1 (or a faulty source) from naming an entry past the end.
    const double r = random();
    const double scaled = std::isfinite(r) ? std::floor(r * static_cast<double>(n)) : 0.0;
    const std::size_t j = scaled <= 0.0 ? 0 : std::min(static_cast<std::size_t>(scaled), n - 1);
    std::swap(ImageNames[i], ImageNames[j]);
  }
}

void ShuffleImages(std::vector<std::wstring>& ImageNames) {
  const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  std::mt19937_64 generator(static_cast<std::uint64_t>(now));
  // The top 53 bits as a fraction: always below 1, which std::generate_canonical does not promise.
  ShuffleImages(ImageNames, [&generator] { return static_cast<double>(generator() >> 11) * 0x1.0p-53; });
}

std::wstring ImageFolderMessage(std::int16_t ImageCount, std::wstring_view PhotoDirectory) {
  if (ImageCount == -1) return L"Photo directory could not be found:\n\n" + std::wstring(PhotoDirectory);
  if (ImageCount == 0) return L"Photo directory has no images to display:\n\n" + std::wstring(PhotoDirectory) + L".";
  return {};
}

}  // namespace lumiroll
