#pragma once
// A picture load measured on its own: run in a fresh child process of this test executable, so
// that its memory is not hidden under a peak an earlier case raised. The child runs in a job
// object whose process memory limit is the case's allowance (Windows enforces it; Wine records
// it only), and its peaks are read against a baseline child that loads a tiny picture.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/picture.h"

namespace lumiroll::test {

struct ChildLoad {
  bool loaded = false;         // every load of the file succeeded
  std::size_t takenBytes = 0;  // the child's peak memory above the baseline child's
};

// Loads the file in a child at each bound in turn (LoadPictureBytes; with box, a PictureBox's
// LoadPicture of the path at the bound), against a baseline child that does the same with a tiny
// picture (baselinePath), so that the code and libraries a format's load brings in are not
// counted. Nothing when a child could not be run or did not end.
[[nodiscard]] std::optional<ChildLoad> LoadInChild(const std::wstring& path, const std::wstring& baselinePath,
                                                   const std::vector<DrawBound>& bounds, std::size_t allowanceBytes,
                                                   bool box = false);

// A child that only takes and touches this much memory: shows that the measure sees memory.
[[nodiscard]] std::optional<ChildLoad> TakeInChild(std::size_t bytes);

}  // namespace lumiroll::test
