#pragma once
// Loading a picture from a file or from its bytes: every format of the show, Win32's decoders
// (WIC, GDI's metafiles) among ours.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/display_profile.h"
#include "platform/picture.h"

namespace lumiroll {

// Loads any of the show's formats (bmp, rle, ico, wmf, emf, jpg, jif, gif), by content, not by
// name, in the display's colours. Nothing for a missing, unreadable, damaged, truncated or
// absurdly large picture.
[[nodiscard]] std::optional<Picture> LoadPictureFile(const std::wstring& path, DrawBound bound = {},
                                                     const DisplayProfile& display = {});
// A picture file's bytes, for LoadPictureBytes, read in small blocks; blockRead is told of each
// and may stop the read (false). Nothing when the file cannot be read or is far too large.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> ReadPictureFile(const std::wstring& path,
                                                                       const std::function<bool()>& blockRead);
[[nodiscard]] std::optional<Picture> LoadPictureBytes(std::span<const std::uint8_t> bytes, DrawBound bound = {},
                                                      const DisplayProfile& display = {});

}  // namespace lumiroll
