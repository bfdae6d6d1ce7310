#pragma once
// Picture2, the preview's image holder. A selected file is decoded twice, for Fit Screen and for
// Actual Size, each at most the preview's worth, so that a change of size mode or of DPI repaints
// from what is decoded without reading the file again. Decodes are asked for and handed back as
// requests and results, so they can run away from the dialog's thread: a result is kept only while
// it is for the file selected now.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/picture.h"
#include "saver/decode_ahead.h"

namespace lumiroll {

enum class PreviewMode { kFitted, kActualSize };
inline constexpr std::array kPreviewModes{PreviewMode::kFitted, PreviewMode::kActualSize};

// Actual Size for PhotoSize 2; any other value previews fitted, as its scale is 0.
[[nodiscard]] PreviewMode PreviewModeOf(std::int16_t PhotoSize);

// Where the preview draws: its inner size, and the screen's width that Actual Size scales by.
struct PreviewArea {
  int width = 0;
  int height = 0;
  int screenWidth = 0;
};

// PaintPhoto's scale for the mode: 0 fits; Actual Size shrinks by the preview's share of the screen.
[[nodiscard]] float PreviewScaleFor(PreviewMode mode, const PreviewArea& area);

class PreviewPictures {
 public:
  // A file selected: the decodes to ask for, one for each mode (at kPreviewModes' positions).
  // What the preview shows stays until one of them is done.
  [[nodiscard]] std::array<DecodeRequest, 2> Select(std::int16_t listIndex, std::wstring path, const PreviewArea& area);
  // Nothing selected any more (a folder without images): decodes under way no longer count.
  void Forget();
  // A finished decode for the mode. True when it is for the file selected now and loaded: the
  // mode's picture is replaced. A failed one leaves the picture loaded before, as does one that
  // comes too late.
  bool Finish(PreviewMode mode, const DecodedPicture& decoded);
  // The picture to paint in the mode; null while none has loaded since the dialog opened.
  [[nodiscard]] const Picture* PictureFor(PreviewMode mode) const;

 private:
  std::array<std::optional<DecodeRequest>, 2> wanted_;
  std::array<std::optional<Picture>, 2> pictures_;
};

// The folder, one backslash and the name, whether or not the folder already ends in one.
[[nodiscard]] std::wstring FileInFolder(std::wstring_view folder, std::wstring_view name);

}  // namespace lumiroll
