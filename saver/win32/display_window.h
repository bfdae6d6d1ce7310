#pragma once

namespace lumiroll {

// Opens Form1, the full-screen show.
void OpenDisplayWindow();

}  // namespace lumiroll
