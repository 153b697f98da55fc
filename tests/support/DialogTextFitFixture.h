#pragma once
// Dialogs of the measuring code's own tests: each control is either just wide
// enough or a little too narrow for its text.
#define IDD_FIT_FIXTURE 100
#define IDC_FIT_WIDE_BUTTON 1001
#define IDC_FIT_NARROW_BUTTON 1002
#define IDC_FIT_ONE_LINE_LABEL 1003
#define IDC_FIT_WRAPPED_LABEL 1004
#define IDC_FIT_TWO_LINE_LABEL 1005
#define IDC_FIT_NARROW_CHECK 1006
#define IDC_FIT_WIDE_CHECK 1007
#define IDC_FIT_NARROW_GROUP 1008
#define IDC_FIT_LIST 1009
