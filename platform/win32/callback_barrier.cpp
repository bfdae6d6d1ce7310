#include "platform/callback_barrier.h"

#include <windows.h>

#include <string>

namespace lumiroll {
namespace {

std::string Description(const std::exception_ptr& escaped) {
  try {
    std::rethrow_exception(escaped);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "an exception of unknown type";
  }
}

}  // namespace

void EndAfterEscapedException(const std::exception_ptr& escaped) noexcept {
  try {
    const std::string text = "Lumiroll: " + Description(escaped) + " escaped a window's handler; ending.\n";
    ::OutputDebugStringA(text.c_str());
  } catch (...) {  // no memory for the text: ending matters more
  }
  ::ExitProcess(kEscapedExceptionExitCode);
}

}  // namespace lumiroll
