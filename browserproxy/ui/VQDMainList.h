#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "browserproxy/ui/TranslationResultXml.h"
#include "platform/base/Handles.h"
#include "browserproxy/ui/OwnerDrawList.h"

// The owner-drawn list of the selection popup's list mode: the translation
// server's dictionary answer as headings (word, part of speech) and
// numbered translations, a "not found" message, or a plain text. The host
// routes WM_DRAWITEM / WM_MEASUREITEM of the list to HandleOwnerDraw.
class CVQDMainList : public COwnerDrawList {
 public:
  static constexpr DWORD kOwnStyle = LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;

  struct Line {
    std::wstring text;    // what the line shows
    std::wstring record;  // the line's record text (the word, for the sentence line)
    int kind = 0;         // 1: heading or message sentence; 0: translation, plain text, second message line
  };

  CVQDMainList();
  ~CVQDMainList() override;

  bool Initialize();
  // Fills the list from the answer text; the flag chooses the message
  // presentation. Raises platform::ComError for a broken answer.
  bool FillFromResult(const std::wstring& text, int flag);

  void DrawEntryItem(HDC dc, int index, const RECT& rect) override;

  const std::vector<Line>& Lines() const { return lines_; }
  const std::vector<VqdEntryRecord>& Entries() const { return entries_; }
  int WidestLine() const { return widest_; }
  int TotalHeight() const { return totalHeight_; }

 protected:
  ClassInfo WindowClass() const override;
  const std::wstring* LineText(UINT index) const override;

 private:
  enum class Measure { Heading, Numbered, Message };
  void AddLine(const std::wstring& text, const std::wstring& record, int kind, Measure measure);
  void MeasureLine(const Line& line, Measure measure);
  int Width(HDC dc, HFONT font, const std::wstring& text) const;

  std::vector<VqdEntryRecord> entries_;
  std::vector<Line> lines_;
  platform::UniqueFont regular_;
  platform::UniqueFont bold_;
  platform::UniqueFont italic_;
  COLORREF secondPart_ = 0x008000;
  COLORREF text_ = 0x000000;
  COLORREF number_ = 0x995B2B;
  int widest_ = 0;
  int totalHeight_ = 0;
  int messageFlag_ = 1;
};
