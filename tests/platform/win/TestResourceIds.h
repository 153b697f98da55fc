#pragma once
// Identifiers of the small dialogs the windowing tests run.
#define IDD_CONTROLS 101
#define IDD_PAGE 102
#define IDD_MISSING 199
#define IDC_EDIT 1001
#define IDC_CHECK 1002
#define IDC_LIST 1003
#define IDC_COMBO 1004
#define IDC_PROGRESS 1005
#define IDC_LABEL 1006
#define IDC_PRESS 1007
#define IDS_GREETING 201
#define IDS_PROGRAM_ONLY 202
#define IDS_MISSING 299
