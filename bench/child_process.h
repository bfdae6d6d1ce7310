#pragma once
// Each benchmark case runs in a fresh process of its own, so the peak working set it reports is
// that case's alone: the child writes its figures as one line to a file that the parent reads.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lumiroll::bench {

// This process's peak working set in bytes.
[[nodiscard]] std::size_t PeakWorkingSet();

// Runs this program again as `PROGRAM --child ARGUMENTS "RESULT-FILE"`, waits for it, and returns
// the line it wrote to the result file (named resultName in the temporary folder); nothing when
// it could not start or wrote nothing.
[[nodiscard]] std::optional<std::string> RunSelfAsChild(const std::wstring& arguments, std::wstring_view resultName);

// A wide path as the narrow name the C++ file streams of MinGW take.
[[nodiscard]] std::string NarrowPath(const std::wstring& path);

}  // namespace lumiroll::bench
