#pragma once
#include <windows.h>

#include <string>
#include <vector>

class CDrawBase;

// The six fonts of the entry list: each style once for other text (index 0)
// and once for Russian text (index 1). Owned by the list.
struct EntryListFonts {
  HFONT regular[2] = {};
  HFONT bold[2] = {};
  HFONT italic[2] = {};
};

// Everything the painter needs of one line of the entry list.
struct EntryLine {
  enum class Kind { Message, Heading, Drawing, Label, DictionaryHeader, Translation };
  Kind kind = Kind::Translation;
  std::wstring text;

  // Language choices (true: the Russian copy of a font).
  bool russianInterface = false;
  bool russianWord = false;     // word language: message word
  bool russianSource = false;
  bool russianTarget = false;

  // Heading and message lines.
  std::wstring headingText;
  std::wstring messageWord;
  bool inaccessible = false;

  // Label lines.
  bool labelBold = false;

  // Dictionary header lines (the dictionary group).
  std::wstring groupName;
  std::wstring groupParenthesised;
  std::wstring groupHashList;
  std::wstring groupThirdText;
  bool groupBang = false;

  // Translation lines (the translation record).
  int ordinal = 0;
  std::wstring translation;
  std::wstring closingNote;
  std::wstring followingText;
  std::wstring openingNote;
  bool marked = false;
  bool translationBang = false;

  CDrawBase* drawing = nullptr;
};

// Colours of the coloured palette the list paints with.
struct EntryListColours {
  COLORREF label = 0x995B2B;
  COLORREF note = 0x808080;
  COLORREF thirdText = 0x008000;
  COLORREF following = 0xFF0000;
  COLORREF translation = 0x995B2B;
  COLORREF number = 0x995B2B;
  COLORREF bullet = 0x4E13B8;
  COLORREF bang = 0x0000FF;
  wchar_t bulletChar = 0x2022;
  bool colourSwitch = true;
};

// Where the painter put the main text of a line and what it covered.
struct EntryLinePainted {
  RECT textRect{};
  RECT lineRect{};
};

// Paints one line of the word popup's entry list into the rectangle of the
// line. Text is drawn literally (no "&" prefixes). The device context's
// font, colour, brush and mode come back as they were; fonts made for the
// call are deleted before it returns.
EntryLinePainted PaintEntryLine(HDC dc, const RECT& lineRect, const EntryLine& line, const EntryListFonts& fonts,
                                const EntryListColours& colours);

// The runs of a translation text: plain runs trimmed, "<...>" runs marked
// (with a space after them); none when the text has no "<".
struct TextRun {
  std::wstring text;
  bool marked = false;
};
std::vector<TextRun> SplitTranslationRuns(const std::wstring& text);
