#include "DocumentPieces.h"

#include <cwctype>

#include "TextUtil.h"

namespace kernelstandin {
namespace {

void Add(std::vector<DocumentPiece>& pieces, std::wstring_view text, bool translate) {
  if (text.empty()) return;
  if (!pieces.empty() && pieces.back().translate == translate) {
    pieces.back().text += text;
    return;
  }
  pieces.push_back({std::wstring(text), translate});
}

bool StartsWithNoCase(std::wstring_view text, size_t at, std::wstring_view prefix) {
  if (text.size() - at < prefix.size()) return false;
  return ToLower(text.substr(at, prefix.size())) == prefix;
}

// End of a tag starting at '<', quotes respected; text.size() when unclosed.
size_t TagEnd(std::wstring_view text, size_t at) {
  wchar_t quote = 0;
  for (size_t i = at + 1; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == L'"' || c == L'\'') {
      quote = c;
    } else if (c == L'>') {
      return i + 1;
    }
  }
  return text.size();
}

// Length of a character reference (&name; or &#123;) at the position, 0 if none.
size_t ReferenceLength(std::wstring_view text, size_t at) {
  size_t i = at + 1;
  if (i < text.size() && text[i] == L'#') ++i;
  size_t start = i;
  while (i < text.size() && i - start < 32 && (iswalnum(text[i]) && text[i] < 128)) ++i;
  if (i > start && i < text.size() && text[i] == L';') return i + 1 - at;
  return 0;
}

}  // namespace

std::vector<DocumentPiece> SplitPlainText(std::wstring_view text) {
  std::vector<DocumentPiece> pieces;
  size_t i = 0;
  while (i < text.size()) {
    size_t end = text.find_first_of(L"\r\n", i);
    if (end == std::wstring_view::npos) end = text.size();
    if (end > i) pieces.push_back({std::wstring(text.substr(i, end - i)), true});
    size_t breakEnd = end;
    while (breakEnd < text.size() && (text[breakEnd] == L'\r' || text[breakEnd] == L'\n')) ++breakEnd;
    if (breakEnd > end) pieces.push_back({std::wstring(text.substr(end, breakEnd - end)), false});
    i = breakEnd;
  }
  return pieces;
}

std::vector<DocumentPiece> SplitHtml(std::wstring_view text) {
  std::vector<DocumentPiece> pieces;
  size_t i = 0;
  size_t textStart = 0;
  auto flushText = [&](size_t end) {
    if (end > textStart) Add(pieces, text.substr(textStart, end - textStart), true);
  };
  while (i < text.size()) {
    wchar_t c = text[i];
    if (c == L'&') {
      size_t n = ReferenceLength(text, i);
      if (n) {
        flushText(i);
        Add(pieces, text.substr(i, n), false);
        i += n;
        textStart = i;
        continue;
      }
      ++i;
      continue;
    }
    if (c != L'<') {
      ++i;
      continue;
    }
    flushText(i);
    size_t end;
    if (StartsWithNoCase(text, i, L"<!--")) {
      size_t close = text.find(L"-->", i + 4);
      end = close == std::wstring_view::npos ? text.size() : close + 3;
    } else {
      end = TagEnd(text, i);
      for (std::wstring_view raw : {std::wstring_view(L"script"), std::wstring_view(L"style")}) {
        if (StartsWithNoCase(text, i + 1, raw) && i + 1 + raw.size() < text.size() &&
            !iswalnum(text[i + 1 + raw.size()])) {
          std::wstring closing = L"</" + std::wstring(raw);
          size_t close = end;
          while (close < text.size() && !StartsWithNoCase(text, close, closing)) ++close;
          end = close < text.size() ? TagEnd(text, close) : text.size();
        }
      }
    }
    Add(pieces, text.substr(i, end - i), false);
    i = end;
    textStart = i;
  }
  flushText(text.size());
  return pieces;
}

}  // namespace kernelstandin
