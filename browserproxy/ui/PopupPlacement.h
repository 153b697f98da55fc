#pragma once
#include <windows.h>

// Where the word popup goes: its top-left corner 5 pixels right of and
// 3 below the anchor (the word's bottom-left corner, or the pointer), inside
// the work area of the word's monitor. A popup that would pass the right
// edge opens to the left of the anchor; one that would pass the bottom edge
// opens above the word's top (`wordTop`), never over the word; when it fits
// neither below nor above, it takes the side with more room. The size is cut
// to the work area. Answers the popup's screen rectangle.
RECT PlaceWordPopup(const RECT& workArea, POINT anchor, LONG wordTop, SIZE size);
