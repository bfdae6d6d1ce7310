#pragma once

namespace lumiroll {

// Opens Form1, the full-screen show, and runs it until it ends; the program's exit code.
[[nodiscard]] int RunDisplayWindow();

}  // namespace lumiroll
