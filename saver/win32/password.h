#pragma once
#include <cstdint>

namespace lumiroll {

// The desktop's change-password dialog for the screen saver, owned by the given window (0: none).
void ChangePassword(std::int32_t parentWindow);

}  // namespace lumiroll
