// Resource identifiers of the Setup language launcher.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_SETUP_ENGLISH 102
#define IDR_MAINFRAME 128
#define IDD_SETUP_CHINESE 129

// Shown when the chosen language's package cannot be started.
#define IDS_PACKAGE_FAILED_CHINESE 140
#define IDS_PACKAGE_FAILED_ENGLISH 141

#define IDC_LANGUAGE_LIST 1000
#define IDC_STATIC -1

// System-menu command of the About item; the low four bits belong to the system.
#define IDM_ABOUTBOX 0x0010
