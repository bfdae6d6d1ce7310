#pragma once
// The preview's pictures as the preview pane asks for them and is told of them: a selected
// file's decodes go to the loader one after the other, the shown mode's first, and the dialog
// goes on answering the user; a decode whose file stops answering is given up by the loader's watch.
#include <cstdint>
#include <optional>
#include <string>

#include "saver/background_loader.h"
#include "saver/config/preview_pictures.h"

namespace lumiroll {

class PreviewLoading {
 public:
  explicit PreviewLoading(BackgroundLoader& loader) : loader_(loader) {}

  // A file selected: its decodes are asked for. The preview shows what it showed until one is done.
  void Select(std::int16_t listIndex, const std::wstring& path, const PreviewArea& area, PreviewMode shown);
  // A folder without images: decodes under way no longer count.
  void Forget() { pictures_.Forget(); }
  // Asks for the decode the shown mode needs next, if any (after a change of size mode).
  void RequestNext(PreviewMode shown);
  // Takes what the loader finished and asks for the next decode. True when the preview is to be
  // painted again from what is decoded now.
  [[nodiscard]] bool TakeFinished(PreviewMode shown);
  // Milliseconds until the loader's no-data watch is to look again; 0 when it has given a decode
  // up, whose failed result waits to be taken; nothing when no decode is left to watch.
  [[nodiscard]] std::optional<std::uint32_t> Watch(std::uint32_t now, PreviewMode shown);

  [[nodiscard]] bool Ready(PreviewMode mode) const { return pictures_.Ready(mode); }
  [[nodiscard]] const Picture* PictureFor(PreviewMode mode) const { return pictures_.PictureFor(mode); }

 private:
  BackgroundLoader& loader_;
  PreviewPictures pictures_;
};

}  // namespace lumiroll
