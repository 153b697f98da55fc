#pragma once
#include <windows.h>

#include <string>

namespace kernelstandin {

// File kinds of the product: 1 Unicode text, 2 UTF-8, 3 windows-1251,
// 4 windows-1252, 5 koi8-r, 20 rich text, 21 HTML, 22 Word document; other
// kinds are read as Unicode text.
constexpr long kKindHtml = 21;

// Reads a file of that kind; a byte-order mark (UTF-16LE or UTF-8) decides
// over the kind. Answers S_OK or the HRESULT of the failure.
HRESULT ReadTextFile(const std::wstring& path, long kind, std::wstring* text);
// Writes the text in the form of the kind: HTML and UTF-8 as UTF-8 without a
// byte-order mark, the 8-bit kinds in their code page, everything else as
// UTF-16LE after the mark FF FE.
HRESULT WriteTextFile(const std::wstring& path, long kind, const std::wstring& text);

}  // namespace kernelstandin
