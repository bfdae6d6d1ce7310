#pragma once
// Which files of the photo folder the show cycles through, and in which order.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/folder_reader.h"

namespace lumiroll {

inline constexpr std::wstring_view ImagePattern = L"*.bmp;*.rle;*.ico;*.wmf;*.emf;*.jpg;*.jif;*.gif";
inline constexpr int kMaxImageCount = 32767;

// Files (not folders, not hidden, not system) matching the pattern list, ascending without
// regard to case, at most kMaxImageCount of them.
[[nodiscard]] std::vector<FolderEntry> MatchingFiles(const std::vector<FolderEntry>& entries,
                                                     std::wstring_view patternList);
// Their names.
[[nodiscard]] std::vector<std::wstring> MatchingFileNames(const std::vector<FolderEntry>& entries,
                                                          std::wstring_view patternList);

// ImageCount: -1 folder not found, 0 no images, else the number of ImageNames. onlineOnly, when
// given, gets the names among them of the files that are not on the disk until read.
void BuildImageList(std::wstring_view folder, std::wstring_view patternList, std::int16_t& ImageCount,
                    std::vector<std::wstring>& ImageNames, const FolderReader& reader,
                    std::vector<std::wstring>* onlineOnly = nullptr);

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
