#include "browserproxy/dictionary/CGrammarString.h"

#include "browserproxy/dictionary/CAutoSaveDC.h"

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

CGrammarString::CGrammarString(const std::wstring& markedUpText, int kind,
                               unsigned short defaultFontSelector)
    : kind_(kind) {
  Parse(markedUpText, defaultFontSelector);
}

void CGrammarString::Parse(const std::wstring& text, unsigned short defaultFontSelector) {
  unsigned short selector = defaultFontSelector;
  COLORREF colour = 0;
  bool insidePercent = false;
  std::wstring pending;
  auto emit = [&] {
    if (pending.empty()) return;
    runs_.emplace_back(selector, std::move(pending), colour);
    pending.clear();
  };

  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c == L'%') {
      emit();
      if (insidePercent) {
        selector = defaultFontSelector;
        insidePercent = false;
        continue;
      }
      if (i + 2 < text.size() && IsDigit(text[i + 1]) && text[i + 1] != L'0' &&
          IsDigit(text[i + 2])) {
        selector = static_cast<unsigned short>((text[i + 1] - L'0') * 10 + (text[i + 2] - L'0'));
        i += 2;
      } else if (i + 1 < text.size()) {
        // The next character is read as a number; a non-digit reads as 0.
        int value = IsDigit(text[i + 1]) ? text[i + 1] - L'0' : 0;
        if (value != 0) selector = static_cast<unsigned short>(value);
        i += 1;
      }
      insidePercent = true;
    } else if (c == L'[' || c == L'{') {
      emit();
      colour = kMarkedColour;
    } else if (c == L']' || c == L'}') {
      emit();
      colour = 0;
    } else {
      pending.push_back(c);
    }
  }
  emit();
}

std::wstring CGrammarString::GetText() const {
  std::wstring text;
  for (const auto& run : runs_) text += run.text;
  return text;
}

RECT CGrammarString::Draw(HDC dc, HFONT firstFont, HFONT secondFont, const RECT& area) {
  CAutoSaveDC guard(dc);
  int x = area.left + (indent_ > 0 ? indent_ : 0);
  int total = 0;
  for (const auto& run : runs_) {
    SelectObject(dc, PickFont(run.fontSelector, firstFont, secondFont));
    SetTextColor(dc, run.colour);
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, run.text.c_str(), static_cast<int>(run.text.size()), &size);
    RECT box{x, area.top, area.right, area.bottom};
    DrawTextExW(dc, const_cast<wchar_t*>(run.text.c_str()), static_cast<int>(run.text.size()), &box,
                DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, nullptr);
    x += size.cx;
    total += size.cx;
  }
  return RECT{area.left, area.top, area.left + indent_ + total, area.bottom};
}
