#pragma once

// Dialog templates, controls and strings of the translation dialog, the
// settings frame and its option pages. The program's resource script and
// the resource-language libraries include Dialogs.rc, which uses these.

// Strings.
#define IDS_PAGE_TITLE_DIRECTION 106
#define IDS_PAGE_TITLE_WEBSEARCH 107
#define IDS_PAGE_TITLE_SMARTURL 108
#define IDS_PAGE_TITLE_CONTEXTMENU 109
#define IDS_WEBSEARCH_NEW_TAB 121
#define IDS_SMARTURL_CLEAR_QUESTION 125
#define IDS_SMARTURL_DAYS_RANGE 126
#define IDS_PAGE_TITLE_WORDPOPUP 127
#define IDS_SETTINGS_NOT_SAVED 0x3400
#define IDS_SETTINGS_PAGE_FAILED 0x3401
#define IDS_SMARTURL_EMPTY_ADDRESS 0x3402
#define IDS_HELP_NOT_AVAILABLE 0x3403

// Dialog templates.
#define IDD_SETTINGS_FRAME 116
#define IDD_PAGE_DIRECTION 117
#define IDD_PAGE_PAGETRANSLATION 118
#define IDD_PAGE_SELECTION 119
#define IDD_PAGE_WEBSEARCH 120
#define IDD_PAGE_SMARTURL 121
#define IDD_PAGE_CONTEXTMENU 122
#define IDD_PAGE_WORDPOPUP 127
#define IDD_TRANSLATE 203

// Translation dialog.
#define IDC_TRANSLATION_TEXT 241

// Settings frame.
#define IDC_PAGE_LIST 223
#define IDC_PAGE_AREA 225
#define IDC_APPLY 228
#define IDC_ABOUT 229

// Direction page.
#define IDC_DIRECTION_LIST 202
#define IDC_TEMPLATE_LIST 203

// Selection page.
#define IDC_SEL_MODE_ADD 206
#define IDC_SEL_MODE_REPLACE 207
#define IDC_SEL_MODE_PANE 208
#define IDC_SEL_ADD_COLOR_ON 209
#define IDC_SEL_ADD_BG_ON 210
#define IDC_SEL_REPLACE_COLOR_ON 211
#define IDC_SEL_ADD_COLOR 212
#define IDC_SEL_ADD_BG 213
#define IDC_SEL_REPLACE_BG_ON 214
#define IDC_SEL_REPLACE_COLOR 215
#define IDC_SEL_REPLACE_BG 216

// Page-translation page.
#define IDC_PAGE_MODE_REPLACE 217
#define IDC_PAGE_MODE_TAB 218
#define IDC_PAGE_MODE_WINDOW 219
#define IDC_PAGE_SYNC_SCROLL 263

// Web-search page.
#define IDC_WS_MODE_REPLACE 226
#define IDC_WS_MODE_NEW 227

// SmartURL page.
#define IDC_SU_USE 230
#define IDC_SU_RECURSIVE 231
#define IDC_SU_DAYS 232
#define IDC_SU_DAYS_LABEL 235
#define IDC_SU_LIST 243
#define IDC_SU_ADD 244
#define IDC_SU_DELETE 245
#define IDC_SU_DELETE_ALL 249
#define IDC_SU_DIRECTION 250
#define IDC_SU_TEMPLATE 251

// Context-menu page.
#define IDC_CM_SELECTED 236
#define IDC_CM_PAGE 237
#define IDC_CM_WEBSEARCH 238
#define IDC_CM_SETTINGS 239
#define IDC_CM_AOT 240
#define IDC_CM_IE_NOTE 259

// Word-popup page.
#define IDC_WP_USE 252
#define IDC_WP_ALWAYS 253
#define IDC_WP_SHIFT 254
#define IDC_WP_SEL_CTRL 257
#define IDC_WP_SEL_ALWAYS 260
#define IDC_WP_DELAY 261
#define IDC_WP_AMOUNT 262
