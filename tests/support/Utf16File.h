#pragma once
#include <string>

// Files of UTF-16LE text behind a byte-order mark, as the product and its
// plug-ins exchange them.
namespace testsupport {

// The bytes of such a file holding text.
std::string Utf16WithMark(const std::wstring& text);

// The text of such a file; "<not UTF-16>" when the file lacks the mark.
std::wstring ReadUtf16File(const std::wstring& path);

}  // namespace testsupport
