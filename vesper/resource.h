// Resource and command identifiers of Vesper.
#pragma once

#include "../res/shared_ids.h"

// Main window
#define IDD_VESPER_DIALOG 102
#define IDC_BUTTON_HIDE 1000
#define IDC_EDIT_HOUR 1001
#define IDC_EDIT_MINUTE 1002
#define IDC_EDIT_SECOND 1003
#define IDC_CHECK_REMIND 1004
#define IDC_STATIC_INFO 1005

// Reminder window
#define IDD_REMINDER 129
#define IDC_STATIC_REMINDER 1006

// Tray menu
#define IDR_TRAYMENU 131

// System menu and strings
#define IDM_ABOUTBOX 0x0010
#define IDS_ABOUTBOX 101

// Tray menu commands
#define ID_TRAY_SHOW 32771
#define ID_TRAY_EXIT 32772
