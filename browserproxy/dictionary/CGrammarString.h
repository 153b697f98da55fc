#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "browserproxy/dictionary/CDrawBase.h"

// One run of a grammar line: text in one font and colour.
class CGrammarRange {
 public:
  CGrammarRange(unsigned short fontSelector, std::wstring text, COLORREF colour)
      : fontSelector(fontSelector), text(std::move(text)), colour(colour) {}
  virtual ~CGrammarRange() = default;
  CGrammarRange(const CGrammarRange&) = default;
  CGrammarRange& operator=(const CGrammarRange&) = default;

  unsigned short fontSelector;
  std::wstring text;
  COLORREF colour;
};

// One line of grammar text, parsed from mark-up into runs:
//   "%" d or "%" dd (10..99) switches the font selector up to the next "%";
//   "[" or "{" starts dark-blue text, "]" or "}" ends it.
// Runs follow each other without gaps and never wrap.
class CGrammarString : public CDrawBase {
 public:
  static constexpr COLORREF kMarkedColour = 0x800000;

  CGrammarString(const std::wstring& markedUpText, int kind, unsigned short defaultFontSelector);
  ~CGrammarString() override = default;
  CGrammarString(const CGrammarString&) = default;
  CGrammarString& operator=(const CGrammarString&) = default;

  RECT Draw(HDC dc, HFONT firstFont, HFONT secondFont, const RECT& area) override;
  int GetKind() const override { return kind_; }

  int GetRangeCount() const { return static_cast<int>(runs_.size()); }
  // Null when the index is out of range.
  const CGrammarRange* Range(int index) const {
    return index >= 0 && index < GetRangeCount() ? &runs_[static_cast<size_t>(index)] : nullptr;
  }
  // The texts of all runs, joined.
  std::wstring GetText() const;

  int GetIndent() const { return indent_; }
  void SetIndent(int indent) { indent_ = indent; }

 private:
  void Parse(const std::wstring& text, unsigned short defaultFontSelector);

  std::vector<CGrammarRange> runs_;
  int kind_;
  int indent_ = 0;
};
