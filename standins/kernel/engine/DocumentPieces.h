#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kernelstandin {

// A document cut into the pieces a translation job walks through: text to
// translate, and everything else (markup, line breaks) kept as it is.
struct DocumentPiece {
  std::wstring text;
  bool translate = false;
};

// Plain text: each line is one piece, each line break one kept piece.
std::vector<DocumentPiece> SplitPlainText(std::wstring_view text);
// HTML: text nodes are translated; tags, comments, character references and
// the content of script and style elements are kept.
std::vector<DocumentPiece> SplitHtml(std::wstring_view text);

}  // namespace kernelstandin
