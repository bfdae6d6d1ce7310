#pragma once
// Resource ids of Setup.exe (shared by the .rc file and the code).
#define IDI_LUMIROLL 100
#define IDB_LOGO 202
#define IDB_ARROW 203
#define IDB_CONTEXT_MENU 204
