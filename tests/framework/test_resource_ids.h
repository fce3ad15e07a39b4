// Resource ids of the framework tests' own resources (program and English library).
#pragma once

#define IDS_GREETING 1      /* differs between the program and the library */
#define IDS_LONG_TEXT 2     /* 1000 characters */
#define IDS_PROGRAM_ONLY 17 /* only in the program: the library falls back */
#define IDS_EMPTY_BLOCK_NEIGHBOUR 18

#define IDD_FORM 200         /* classic-layout child form, 8 pt */
#define IDD_MODAL 201        /* extended-layout modal dialog */
#define IDD_FORM_EX 202      /* extended-layout child form, 10 pt */
#define IDD_LIBRARY_ONLY 203 /* only in the library */

#define IDC_OWNER_BUTTON 1001
#define IDC_FIRST_EDIT 1002
#define IDC_SECOND_EDIT 1003
#define IDC_TIME_BAR 1004
#define IDC_FAR_LABEL 1005
#define IDC_DIALOG_EDIT 1010

#define IDI_SHARED 300       /* 90 px in the program, 64 px in the library */
#define IDI_PROGRAM_ONLY 301 /* 32 px, program only */
#define IDB_ALPHA_STRIP 310  /* 32-bit bitmap with alpha */
