#include "browserproxy/ui/EntryItemPainter.h"

#include <algorithm>

#include "browserproxy/dictionary/CDrawBase.h"
#include "browserproxy/dictionary/EntryDsc.h"
#include "browserproxy/ui/PopupStrings.h"
#include "platform/base/DcStateGuard.h"
#include "platform/base/Handles.h"
#include "platform/base/SelectedObject.h"

namespace {

constexpr UINT kSingle = 0x8824;         // DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS
constexpr UINT kNumber = 0x8864;         // kSingle | DT_EXPANDTABS
constexpr UINT kWrapped = 0x9814;        // DT_WORDBREAK | DT_VCENTER | DT_NOPREFIX | DT_INTERNAL | DT_END_ELLIPSIS
constexpr UINT kWrappedSingle = 0x9834;  // kWrapped | DT_SINGLELINE

std::wstring Trim(const std::wstring& text) {
  const wchar_t* blanks = L" \t\r\n";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::wstring::npos) return std::wstring();
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Draws pieces one after another along a line, each in its own font and
// colour, and remembers how far it got.
class LinePen {
 public:
  LinePen(HDC dc, const RECT& line) : dc_(dc), rect_(line), line_(line) {}

  int Left() const { return rect_.left; }
  void Move(int by) { rect_.left += by; }
  const RECT& Rect() const { return rect_; }

  SIZE Extent(HFONT font, const std::wstring& text) const {
    platform::SelectedObject selected(dc_, font);
    SIZE size{};
    if (!text.empty()) GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
  }
  // Draws at the current position without moving; answers the text's size.
  SIZE Draw(HFONT font, COLORREF colour, const std::wstring& text, UINT flags) {
    platform::SelectedObject selected(dc_, font);
    SetTextColor(dc_, colour);
    std::wstring copy = text;
    RECT area = rect_;
    if (!copy.empty()) DrawTextExW(dc_, copy.data(), static_cast<int>(copy.size()), &area, flags, nullptr);
    SIZE size{};
    if (!text.empty()) GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
  }
  // Draws and moves past the text plus the gap.
  SIZE Put(HFONT font, COLORREF colour, const std::wstring& text, UINT flags, int gap = 0) {
    SIZE size = Draw(font, colour, text, flags);
    Move(size.cx + gap);
    return size;
  }
  // The painter's text rectangle: the text's extent less 2 / plus 2,
  // centred vertically on the line.
  RECT TextRect(int start, int end, int height) const {
    RECT r;
    r.left = start - 2;
    r.right = end + 2;
    r.top = line_.top + (line_.bottom - line_.top - height) / 2;
    r.bottom = r.top + height;
    return r;
  }
  RECT Covered() const { return RECT{line_.left, line_.top, std::max(rect_.left, line_.left), line_.bottom}; }

 private:
  HDC dc_;
  RECT rect_;
  RECT line_;
};

platform::UniqueFont Derive(HFONT base, LONG weight, bool italic) {
  LOGFONTW description{};
  HGDIOBJ source = base ? static_cast<HGDIOBJ>(base) : GetStockObject(DEFAULT_GUI_FONT);
  GetObjectW(source, sizeof description, &description);
  description.lfWeight = weight;
  description.lfItalic = italic ? TRUE : FALSE;
  description.lfCharSet = DEFAULT_CHARSET;
  wcscpy_s(description.lfFaceName, L"MS Shell Dlg");
  return platform::UniqueFont(CreateFontIndirectW(&description));
}

int Pick(bool russian) { return russian ? 1 : 0; }

// The word in quotes, shortened with "..." when the whole would be wider
// than `room`.
std::wstring QuotedWord(HDC dc, HFONT font, const std::wstring& word, int room) {
  platform::SelectedObject selected(dc, font);
  auto width = [&](const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  std::wstring whole = L"'" + word + L"'";
  if (width(whole) <= room) return whole;
  int fit = 0;
  SIZE ignored{};
  GetTextExtentExPointW(dc, word.c_str(), static_cast<int>(word.size()), std::max(0, room - width(L"'...'")), &fit,
                        nullptr, &ignored);
  if (fit > 0 && IS_HIGH_SURROGATE(word[static_cast<size_t>(fit) - 1])) --fit;
  return L"'" + word.substr(0, static_cast<size_t>(std::max(0, fit))) + L"...'";
}

void PaintMessage(HDC dc, const RECT& lineRect, const EntryLine& line, const EntryListFonts& fonts,
                  EntryLinePainted& out) {
  LinePen pen(dc, lineRect);
  pen.Move(10);
  const int start = pen.Left();
  const UINT flags = line.inaccessible ? kWrappedSingle : kWrapped;
  HFONT regular = fonts.regular[Pick(line.russianInterface)];
  HFONT bold = fonts.bold[Pick(line.russianWord)];
  const std::wstring before =
      popupstrings::Load(line.inaccessible ? popupstrings::kInformationAbout : popupstrings::kWord);
  const std::wstring after = popupstrings::Load(line.inaccessible ? popupstrings::kInaccessible : popupstrings::kNotFound);
  // A long word (a URL, say) gives way, so that the whole sentence stays on the line.
  const int room = lineRect.right - start - pen.Extent(regular, before).cx - pen.Extent(regular, after).cx - 4;
  SIZE first = pen.Put(regular, 0, before, flags, 2);
  pen.Put(bold, 0, QuotedWord(dc, bold, line.messageWord, room), flags, 2);
  pen.Put(regular, 0, after, flags);
  out.textRect = pen.TextRect(start, pen.Left(), first.cy);
  out.lineRect = pen.Covered();
  if (line.inaccessible) return;
  std::wstring hint = popupstrings::Load(popupstrings::kCheckLanguagePair);
  RECT lower = lineRect;
  lower.left += 10;
  lower.top = lineRect.top + (lineRect.bottom - lineRect.top) / 2;
  LinePen below(dc, lower);
  SIZE size = below.Extent(regular, hint);
  RECT area = lower;
  if (area.right - area.left < size.cx) area.right = area.left + size.cx;
  LinePen wide(dc, area);
  wide.Draw(regular, 0, hint, kWrapped);
}

void PaintDictionaryHeader(HDC dc, const RECT& lineRect, const EntryLine& line, const EntryListFonts& fonts,
                           const EntryListColours& colours, EntryLinePainted& out) {
  LinePen pen(dc, lineRect);
  pen.Move(10);
  const int source = Pick(line.russianSource);
  const int start = pen.Left();
  SIZE name = pen.Put(fonts.bold[source], 0, line.groupName, kSingle);
  out.textRect = pen.TextRect(start, pen.Left(), name.cy);
  {
    platform::UniquePen underline(CreatePen(PS_SOLID, 1, 0));
    platform::SelectedObject selected(dc, underline.Get());
    MoveToEx(dc, out.textRect.left, out.textRect.bottom, nullptr);
    LineTo(dc, out.textRect.right, out.textRect.bottom);
  }
  if (!line.groupParenthesised.empty())
    pen.Put(fonts.regular[source], colours.note, L"  (" + line.groupParenthesised + L")", kSingle);
  if (line.groupBang) {
    platform::UniqueFont bold = Derive(fonts.bold[source], FW_BOLD, false);
    pen.Put(bold.Get(), colours.bang, popupstrings::FormatOne(L"  %s  ", popupstrings::Load(popupstrings::kBang)),
            kSingle);
  }
  platform::UniqueFont plain = Derive(fonts.regular[source], FW_NORMAL, false);
  if (!line.groupHashList.empty())
    pen.Put(plain.Get(), colours.following, L" " + SplitHashList(line.groupHashList), kSingle, 5);
  // A group without a third text gets no lone comma.
  if (!line.groupThirdText.empty()) pen.Put(plain.Get(), colours.thirdText, L"," + line.groupThirdText, kSingle);
  out.lineRect = pen.Covered();
}

void PaintTranslation(HDC dc, const RECT& lineRect, const EntryLine& line, const EntryListFonts& fonts,
                      const EntryListColours& colours, EntryLinePainted& out) {
  LinePen pen(dc, lineRect);
  pen.Move(20);
  const int source = Pick(line.russianSource);
  HFONT lineFont = fonts.regular[Pick(line.russianTarget)];

  std::wstring bullet(1, colours.bulletChar);
  bullet += L' ';
  platform::UniqueFont bulletFont = Derive(fonts.bold[0], FW_BOLD, false);
  SIZE bulletSize = line.marked ? pen.Extent(bulletFont.Get(), bullet)
                                : pen.Draw(bulletFont.Get(), colours.bullet, bullet, kSingle);
  pen.Move(bulletSize.cx);

  pen.Draw(lineFont, colours.number, popupstrings::FormatOne(L"%d. ", std::to_wstring(line.ordinal + 1)), kNumber);
  // Room for two digits, so that numbers up to 99 line up.
  pen.Move(pen.Extent(lineFont, std::wstring(1, colours.bulletChar) + L"99. ").cx);

  HFONT noteFont = line.marked ? fonts.italic[source] : fonts.regular[source];
  if (!line.openingNote.empty()) pen.Put(noteFont, colours.note, L"(" + line.openingNote + L")", kSingle, 5);

  const int start = pen.Left();
  int height = 0;
  std::vector<TextRun> runs = SplitTranslationRuns(line.translation);
  if (!runs.empty()) {
    platform::UniqueFont markedFont = Derive(lineFont, FW_NORMAL, true);
    for (const TextRun& run : runs) {
      SIZE size = pen.Put(run.marked ? markedFont.Get() : lineFont, colours.translation, run.text, kSingle, 3);
      height = std::max<int>(height, size.cy);
    }
  } else {
    platform::UniqueFont strong = Derive(fonts.regular[1], 600, false);
    HFONT font = colours.colourSwitch ? strong.Get()
                                      : (line.marked ? fonts.italic[Pick(line.russianTarget)] : lineFont);
    height = pen.Put(font, colours.translation, line.translation, kSingle).cy;
  }
  out.textRect = pen.TextRect(start, pen.Left(), height);

  if (line.marked) pen.Move(5);
  if (!line.followingText.empty()) {
    platform::UniqueFont italic = Derive(lineFont, FW_NORMAL, true);
    pen.Put(italic.Get(), colours.following, L" " + line.followingText, kSingle);
  }
  if (!line.closingNote.empty()) {
    pen.Move(5);
    pen.Put(noteFont, colours.note, L"(" + line.closingNote + L")", kSingle, 20);
  }
  if (line.translationBang) {
    pen.Move(5);
    platform::UniqueFont bold = Derive(lineFont, FW_BOLD, false);
    pen.Put(bold.Get(), colours.bang, popupstrings::FormatOne(L"    %s", popupstrings::Load(popupstrings::kBang)),
            kSingle);
  }
  out.lineRect = pen.Covered();
}

}  // namespace

std::vector<TextRun> SplitTranslationRuns(const std::wstring& text) {
  std::vector<TextRun> runs;
  if (text.find(L'<') == std::wstring::npos) return runs;
  size_t pos = 0;
  for (;;) {
    size_t open = text.find(L'<', pos);
    if (open == std::wstring::npos) break;
    size_t close = text.find(L'>', open + 1);
    if (close == std::wstring::npos) break;  // the rest is one plain run
    std::wstring before = Trim(text.substr(pos, open - pos));
    if (!before.empty()) runs.push_back({before, false});
    runs.push_back({text.substr(open + 1, close - open - 1) + L" ", true});
    pos = close + 1;
  }
  std::wstring rest = Trim(text.substr(pos));
  if (!rest.empty()) runs.push_back({rest, false});
  return runs;
}

EntryLinePainted PaintEntryLine(HDC dc, const RECT& lineRect, const EntryLine& line, const EntryListFonts& fonts,
                                const EntryListColours& colours) {
  EntryLinePainted out;
  if (!dc) return out;
  platform::DcStateGuard state(dc);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  switch (line.kind) {
    case EntryLine::Kind::Message:
      PaintMessage(dc, lineRect, line, fonts, out);
      break;
    case EntryLine::Kind::Heading: {
      LinePen pen(dc, lineRect);
      pen.Move(5);
      const int start = pen.Left();
      SIZE size = pen.Put(fonts.bold[Pick(line.russianInterface)], 0,
                          popupstrings::FormatOne(popupstrings::Load(popupstrings::kHeading), line.headingText),
                          kSingle);
      out.textRect = pen.TextRect(start, pen.Left(), size.cy);
      out.lineRect = pen.Covered();
      break;
    }
    case EntryLine::Kind::Drawing: {
      RECT area = lineRect;
      if (line.drawing) {
        if (line.drawing->GetKind() == 1) area.left += 10;
        out.lineRect = line.drawing->Draw(dc, fonts.regular[1], fonts.regular[0], area);
      }
      break;
    }
    case EntryLine::Kind::Label: {
      LinePen pen(dc, lineRect);
      pen.Move(5);
      const int start = pen.Left();
      platform::UniqueFont font = Derive(fonts.regular[1], line.labelBold ? FW_BOLD : FW_NORMAL, true);
      SIZE size = pen.Put(font.Get(), colours.label, line.text, kSingle);
      out.textRect = pen.TextRect(start, pen.Left(), size.cy);
      out.lineRect = lineRect;
      out.lineRect.right = lineRect.left + size.cx + 5;
      break;
    }
    case EntryLine::Kind::DictionaryHeader:
      PaintDictionaryHeader(dc, lineRect, line, fonts, colours, out);
      break;
    case EntryLine::Kind::Translation:
      PaintTranslation(dc, lineRect, line, fonts, colours, out);
      break;
  }
  return out;
}
