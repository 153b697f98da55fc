#pragma once

// Resources of the word and selection popups. The numbers of strings,
// menus and bitmaps are those of the interface-language libraries.
#define IDS_GENERAL_DICTIONARY 146
#define IDS_USER_DICTIONARY 157
#define IDS_POPUP_WORD 158
#define IDS_POPUP_HEADING 159
#define IDS_POPUP_NOT_FOUND 160
#define IDS_POPUP_CHECK_LANGUAGE_PAIR 164
#define IDS_POPUP_BANG 220
#define IDS_INTERFACE_LANGUAGE 223
#define IDS_SPECIALIZED_DICTIONARY 224
#define IDS_POPUP_INFORMATION_ABOUT 228
#define IDS_POPUP_INACCESSIBLE 229
#define IDR_POPUP_MENU 232
#define IDB_CLOSE_NORMAL 234
#define IDB_CLOSE_HOT 235
#define IDB_CLOSE_PRESSED 236
#define IDB_POPUP_FOOTER 237
#define ID_POPUP_COPY 0x8002
