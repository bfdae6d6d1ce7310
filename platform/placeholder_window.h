#pragma once
#include <string>

namespace lumiroll {

// A plain window that says what it stands for and closes the program on any key or click.
// Stands in for a form until that form is built.
void OpenPlaceholderWindow(const std::wstring& caption);

}  // namespace lumiroll
