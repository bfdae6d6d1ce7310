#pragma once
// Facts about this process and the ways it ends.
#include <string>
#include <string_view>

namespace lumiroll {

// Lets DLLs load only from the system folder, so a library planted beside the program or in
// the current folder never runs inside it. First call of every program.
void RestrictDllSearchToSystemFolder();
// Drive errors (a card reader or DVD drive with no medium) fail the call that met them, on every
// thread, instead of raising the system's pop-up over the program. Also at the start of every program.
void FailCriticalErrorsQuietly();

// True when another copy of the named program runs in this user's session. The first copy
// keeps its claim until it ends or releases it.
[[nodiscard]] bool AnotherInstanceRunning(std::wstring_view programName);
// Gives up this copy's claim, so that a copy started from now on runs: for a program that is
// ending and must not hold later starts back while it goes.
void ReleaseInstanceClaim();

// The raw command line of the process, as the desktop passed it.
[[nodiscard]] std::wstring RawCommandLine();

// Ends the program at once: every window closes, no further handler runs.
[[noreturn]] void EndProgram();

[[nodiscard]] std::wstring CurrentFolder();
// The system folder, whatever the length of its name.
[[nodiscard]] std::wstring SystemFolder();

}  // namespace lumiroll
