#include "saver/win32/password.h"

namespace lumiroll {

// Not yet wired to the desktop's password service: the mode ends without doing anything.
void ChangePassword(std::int32_t) {}

}  // namespace lumiroll
