#pragma once
// Resource ids of Lumiroll.scr (shared by the .rc file and the code).
#define IDS_DESCRIPTION 1
#define IDI_LUMIROLL 100
#define IDR_THANK_YOU_JPEG 200
// Artwork: the 1x bitmap, then 1.5x and 2x at the next two ids.
#define IDB_MONITOR 210
#define IDB_LOGO 220
