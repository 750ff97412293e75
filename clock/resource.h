// Resource and command identifiers of the clock.
#pragma once

#include "../res/shared_ids.h"

// Clock window
#define IDD_CLOCK_DIALOG 102
#define IDB_FACE 129

// Context menu
#define IDR_CLOCKMENU 130
#define ID_MENU_EXIT 32771
#define ID_MENU_TOPMOST 32772
#define ID_MENU_WEBSITE 32773
#define ID_MENU_ABOUT 32774
#define ID_MENU_SCHEDULER 32775
