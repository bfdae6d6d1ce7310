#pragma once
// Which files of the photo folder the show cycles through, and in which order.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumiroll {

inline constexpr std::wstring_view ImagePattern = L"*.bmp;*.rle;*.ico;*.wmf;*.emf;*.jpg;*.jif;*.gif";
inline constexpr int kMaxImageCount = 32767;

// One entry of a folder listing, as the file system reports it.
struct FolderEntry {
  std::wstring name;
  bool isFolder = false;
  bool hidden = false;
  bool system = false;
};

// What BuildImageList needs of the file system.
class FolderReader {
 public:
  virtual ~FolderReader() = default;
  // The folder's absolute path as the file system spells it, or, when it cannot be opened,
  // the process's current folder (the folder list stays where it was).
  [[nodiscard]] virtual std::wstring OpenFolder(std::wstring_view folder) const = 0;
  [[nodiscard]] virtual std::vector<FolderEntry> List(std::wstring_view folder) const = 0;
};

// Files (not folders, not hidden, not system) matching the pattern list, ascending without
// regard to case, at most kMaxImageCount of them.
[[nodiscard]] std::vector<std::wstring> MatchingFileNames(const std::vector<FolderEntry>& entries,
                                                          std::wstring_view patternList);

// ImageCount: -1 folder not found, 0 no images, else the number of ImageNames.
void BuildImageList(std::wstring_view folder, std::wstring_view patternList, std::int16_t& ImageCount,
                    std::vector<std::wstring>& ImageNames, const FolderReader& reader);

// True when the name matches one of the ";"-separated patterns ("*" any run, case ignored).
[[nodiscard]] bool MatchesPatternList(std::wstring_view name, std::wstring_view patternList);

// A uniform fraction in [0, 1).
using RandomFraction = std::function<double()>;
void ShuffleImages(std::vector<std::wstring>& ImageNames, const RandomFraction& random);
// As above with a generator seeded from the clock at this call: each show draws its own order.
void ShuffleImages(std::vector<std::wstring>& ImageNames);

// The message for ImageCount -1 or 0.
[[nodiscard]] std::wstring ImageFolderMessage(std::int16_t ImageCount, std::wstring_view PhotoDirectory);

}  // namespace lumiroll
