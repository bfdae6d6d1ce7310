#include "platform/win32/picture_box.h"
#include "platform/win32/picture_loader.h"

namespace lumiroll {

bool PictureBox::LoadPicture(const std::wstring& path) {
  auto loaded = LoadPictureFile(path, bound_);
  if (!loaded) return false;
  picture_ = std::move(loaded);
  return true;
}

bool PictureBox::LoadPicture(std::span<const std::uint8_t> bytes) {
  auto loaded = LoadPictureBytes(bytes, bound_);
  if (!loaded) return false;
  picture_ = std::move(loaded);
  return true;
}

}  // namespace lumiroll
