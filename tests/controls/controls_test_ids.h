// Ids of the controls tests' own templates, beside the program's resources (which use 100-406
// and 1002-1052).
#pragma once

#define IDD_TEST_BUTTONS 2001     // an edit, a push button and the default push button
#define IDD_TEST_ONE_BUTTON 2002  // a button with no other tab stop
#define IDD_TEST_INIT_DATA 2003   // a combo box and a list box filled from their init data
#define IDD_TEST_BAD_INIT 2004    // init data for a control the form does not have
#define IDD_TEST_CUT_INIT 2005    // init data that runs past the end of its block

#define IDC_TEST_EDIT 2101
#define IDC_TEST_BUTTON 2102
#define IDC_TEST_DEFAULT 2103
#define IDC_TEST_COMBO 2104
#define IDC_TEST_LIST 2105
