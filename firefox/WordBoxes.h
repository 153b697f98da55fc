#pragma once
// Words of an accessible node's text and their screen boxes, and the trim
// that turns a hit box's text into the word asked about.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct WordBox {
  long start = 0;  // code-unit offsets into the node text, end exclusive
  long end = 0;
  long x = 0;
  long y = 0;
  long width = 0;
  long height = 0;
};

// Asks the box of the text from start to end; false when it has none.
using SubstringBounds = std::function<bool(long start, long end, WordBox& box)>;

// A word is a run of characters other than space and line feed. A word whose
// box cannot be had stays open, so the next box spans it too.
std::vector<WordBox> BuildWordList(std::wstring_view text, const SubstringBounds& bounds);
// The first box holding the point (edges inside), or null.
const WordBox* HitWordBox(const std::vector<WordBox>& boxes, long x, long y);
// Punctuation, digits, guillemets and white space removed from both ends.
std::wstring TrimWord(std::wstring word);
