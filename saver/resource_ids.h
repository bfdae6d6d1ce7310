#pragma once
// Resource ids of Lumiroll.scr: plain #defines, so that its resource script, its windows and the
// platform-free layout tables that name its artwork share one list.
#define IDS_DESCRIPTION 1
#define IDI_LUMIROLL 100
#define IDR_THANK_YOU_JPEG 200
// Artwork: the 1x bitmap, then 1.5x and 2x at the next two ids.
#define IDB_MONITOR 210
#define IDB_LOGO 220
