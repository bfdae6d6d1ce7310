#pragma once

namespace lumiroll {

// Opens Form8, the About box, not modal; when it is open already, brings it to the front.
void OpenAboutBox();

}  // namespace lumiroll
