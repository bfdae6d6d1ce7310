#pragma once
// Facts about this process and the ways it ends.
#include <string>
#include <string_view>

namespace lumiroll {

// Lets DLLs load only from the system folder, so a library planted beside the program or in
// the current folder never runs inside it. First call of every program.
void RestrictDllSearchToSystemFolder();

// True when another copy of the named program runs in this user's session. The first copy
// keeps its claim until it ends.
[[nodiscard]] bool AnotherInstanceRunning(std::wstring_view programName);

// The raw command line of the process, as the desktop passed it.
[[nodiscard]] std::wstring RawCommandLine();

// Ends the program at once: every window closes, no further handler runs.
[[noreturn]] void EndProgram();

[[nodiscard]] std::wstring CurrentFolder();
// The system folder, whatever the length of its name.
[[nodiscard]] std::wstring SystemFolder();

}  // namespace lumiroll
