#pragma once
// Where an exception that escaped a window's or a dialog's handler stops. Unwinding through
// Windows' callback machinery is undefined (a crash at best), and going on after a handler
// stopped halfway could act on a half-made decision (an installation after a failed dialog),
// so window and dialog procedures and other Win32 callbacks run behind this barrier: an escaped
// exception ends the program at once with its own exit code; the system closes what it held.
#include <exception>

namespace lumiroll {

// The program's exit code after an exception escaped a handler.
inline constexpr unsigned kEscapedExceptionExitCode = 70;  // not 3, which abort() gives

// Tells a debugger what escaped and ends the process.
[[noreturn]] void EndAfterEscapedException(const std::exception_ptr& escaped) noexcept;

// The handler's result; the process ends if an exception escapes it.
template <typename Handler>
auto CallBehindBarrier(Handler&& handler) noexcept {
  try {
    return handler();
  } catch (...) {
    EndAfterEscapedException(std::current_exception());
  }
}

}  // namespace lumiroll
