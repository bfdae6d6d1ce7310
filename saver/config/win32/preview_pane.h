#pragma once
// Picture1, the settings dialog's preview: the black picture box over the monitor drawing, with
// the loader that decodes its pictures and the watch on a decode whose file stops answering. Its
// messages and timer are its own window's; the dialog only tells it what to show.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "platform/display_profile.h"
#include "platform/win32/picture_surface.h"
#include "saver/background_loader.h"
#include "saver/config/preview_loading.h"

namespace lumiroll {

class PreviewPane final : public PictureSurface {
 public:
  // Made as the dialog's control id at the rectangle (client pixels), previewing in the mode.
  [[nodiscard]] bool Create(HWND dialog, int id, RECT rectangle, PreviewMode mode);

  // A file chosen (its index in the file list): it shows once decoded; until then, what showed.
  void ShowFile(std::int16_t listIndex, const std::wstring& path);
  // No file to show (none listed, or one only online that is read only when chosen): black.
  void ShowNothing();
  // The size mode changed: the file shown is painted again at once from what is decoded.
  void ChangeMode(PreviewMode mode);
  // After a DPI change: the new rectangle, and the file shown painted again to fit it.
  void MoveTo(RECT rectangle);
  // The colours of the monitor it shows on, for the pictures decoded from now on.
  void UseColoursOf(DisplayProfile display) { display_ = std::move(display); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  [[nodiscard]] PreviewArea Area() const;
  // Paints what is decoded for the mode, without reading the file again.
  void Paint();
  void OnDecoded();
  void WatchDecode();

  PreviewMode mode_ = PreviewMode::kFitted;
  bool showsFile_ = false;
  DisplayProfile display_;
  std::optional<BackgroundLoader> loader_;  // once the window exists, which it tells
  std::optional<PreviewLoading> pictures_;  // Picture2, the preview's image holder, on loader_
};

}  // namespace lumiroll
