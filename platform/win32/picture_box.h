#pragma once
// A hidden picture box: holds one picture and reports its size in pixels. The source of
// PaintPhoto.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/picture.h"

namespace lumiroll {

class PictureBox {
 public:
  // Loads a picture; on failure keeps the picture it held and returns false.
  bool LoadPicture(const std::wstring& path);
  bool LoadPicture(std::span<const std::uint8_t> bytes);
  // How large pictures will be drawn at most; later loads keep only that much resolution.
  void SetDrawBound(DrawBound bound) { bound_ = bound; }
  void Clear() { picture_.reset(); }

  [[nodiscard]] bool HasPicture() const { return picture_.has_value(); }
  // The picture's own size in pixels; 0 when the box holds nothing.
  [[nodiscard]] int ScaleWidth() const { return picture_ ? picture_->width : 0; }
  [[nodiscard]] int ScaleHeight() const { return picture_ ? picture_->height : 0; }
  [[nodiscard]] const Picture* picture() const { return picture_ ? &*picture_ : nullptr; }

 private:
  std::optional<Picture> picture_;
  DrawBound bound_;
};

}  // namespace lumiroll
