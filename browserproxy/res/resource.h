#pragma once

// String resources of Tessiva.
#define IDS_PAGE_TRANSLATION 104
#define IDS_SELECTED_TEXT_TRANSLATION 105
#define IDS_TITLE_OPERA 110
#define IDS_TITLE_CHROME 111
#define IDS_TITLE_FIREFOX 119
#define IDS_TITLE_IE 120
#define IDS_NO_TRANSLATION_PROFILE 122
#define IDS_SELECT_TEXT_HINT 123

// Icon groups of the browser rows (res/make_icons.py draws them).
#define IDI_BROWSER_CHROME 208
#define IDI_BROWSER_FIREFOX 209
#define IDI_BROWSER_IE 210
#define IDI_BROWSER_OPERA 211
