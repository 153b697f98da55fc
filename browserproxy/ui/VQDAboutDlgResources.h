#pragma once

// The about box of the translation-server connector. The template and the
// two strings keep the numbers the interface-language libraries use.
#define IDD_VQD_ABOUT 2906
#define IDS_VQD_ABOUT_BUILD 30002
#define IDS_VQD_ABOUT_FAMILY 30003
#define IDC_VQD_ABOUT_PRODUCT 35002
#define IDC_VQD_ABOUT_BUILD 35003
#define IDC_VQD_ABOUT_FAMILY 35004
#define IDC_VQD_ABOUT_ICON 35005
#define IDC_VQD_ABOUT_LEGAL 35008
