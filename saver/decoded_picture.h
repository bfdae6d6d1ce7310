#pragma once
// A picture as the loader hands it over: tagged with the request it was made for and with the
// file's size and write time, so that it stands for a later load only while the file is unchanged.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/display_profile.h"
#include "platform/picture.h"

namespace lumiroll {

// What identifies a file's content cheaply: its size and last-write time.
struct FileStamp {
  std::uint64_t size = 0;
  std::uint64_t lastWrite = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// One picture asked of the loader; the request is its own tag. A picture decoded for another
// display's profile stands for no request of this one.
struct DecodeRequest {
  std::int16_t image = 0;  // the show's ImageNames entry, from 1 (the dialog's own numbering)
  std::wstring path;
  DrawBound bound;
  DisplayProfile display;  // of the monitor that will show the picture
  friend bool operator==(const DecodeRequest&, const DecodeRequest&) = default;
};

struct DecodedPicture {
  DecodeRequest request;
  std::optional<FileStamp> stamp;  // nothing when the file was missing, changed while read or not answered
  std::optional<Picture> picture;  // nothing when the file failed to load
  bool givenUp = false;            // the file gave no data for the loader's limit
};

}  // namespace lumiroll
