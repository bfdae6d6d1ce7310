#pragma once
// Resource ids of Lumiroll.scr (shared by the .rc file and the code).
#define IDS_DESCRIPTION 1
#define IDI_LUMIROLL 100
#define IDR_THANK_YOU_JPEG 200
#define IDB_MONITOR 201
#define IDB_LOGO 202
