#pragma once
#include "platform/win32/picture_box.h"

namespace lumiroll {

// Form4: never shown; its picture box holds the built-in thank-you picture, loaded from the
// program's resources the first time it is asked for and kept.
class Form4 {
 public:
  [[nodiscard]] static const PictureBox& Picture1();
};

}  // namespace lumiroll
