#pragma once
// Picture2, the preview's image holder. A selected file is decoded for Fit Screen and for Actual
// Size, each at most the preview's worth, so that a change of size mode or of DPI repaints from
// what is decoded without reading the file again. The decodes are asked for one after the other,
// the shown mode's first (a file that never answers holds one read, not two; the second read
// mostly comes from the system's cache), and handed back as results that count only while they
// are for the file selected now.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/display_profile.h"
#include "platform/picture.h"
#include "saver/decoded_picture.h"

namespace lumiroll {

enum class PreviewMode { kFitted, kActualSize };

// Actual Size for PhotoSize 2; any other value previews fitted, as its scale is 0.
[[nodiscard]] PreviewMode PreviewModeOf(std::int16_t PhotoSize);

// Where the preview draws: its inner size, the screen's width that Actual Size scales by, and the
// colour profile of its monitor.
struct PreviewArea {
  int width = 0;
  int height = 0;
  int screenWidth = 0;
  DisplayProfile display;
};

// PaintPhoto's scale for the mode: 0 fits; Actual Size shrinks by the preview's share of the screen.
[[nodiscard]] float PreviewScaleFor(PreviewMode mode, const PreviewArea& area);

class PreviewPictures {
 public:
  // A file selected (its File1 index from 0). What the preview shows stays until a decode of it is done.
  void Select(std::int16_t listIndex, const std::wstring& path, const PreviewArea& area);
  // Nothing selected any more (a folder without images): decodes under way no longer count.
  void Forget();
  // The decode to ask for next: the shown mode's, then the other's; nothing once both are done.
  [[nodiscard]] std::optional<DecodeRequest> NextRequest(PreviewMode shown) const;
  // A finished decode. True when it is for the file selected now and loaded: its mode's picture
  // is replaced. A failed one leaves the pictures loaded before and ends the file's decodes; one
  // that comes too late is dropped.
  bool Finish(const DecodedPicture& decoded);
  // True when the mode's decode of the file selected now is done (or nothing is selected): until
  // then the preview keeps what it shows.
  [[nodiscard]] bool Ready(PreviewMode mode) const;
  // The picture to paint in the mode; null while none has loaded since the dialog opened.
  [[nodiscard]] const Picture* PictureFor(PreviewMode mode) const;

 private:
  struct Slot {
    std::optional<DecodeRequest> wanted;
    bool done = false;
    std::optional<Picture> picture;
  };
  [[nodiscard]] static std::size_t IndexOf(PreviewMode mode);
  std::array<Slot, 2> slots_;  // by IndexOf
};

}  // namespace lumiroll
