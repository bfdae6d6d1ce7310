#pragma once
// Resource ids of Setup.exe (shared by the .rc file and the code).
#define IDI_LUMIROLL 100
// Artwork: the 1x bitmap, then 1.5x and 2x at the next two ids.
#define IDB_LOGO 220
#define IDB_ARROW 230
#define IDB_CONTEXT_MENU 240
