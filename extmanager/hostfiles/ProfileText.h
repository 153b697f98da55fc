#pragma once
#include <string>
#include <vector>

// A host configuration file as lines, in the encoding it came in. The lines
// are UTF-8 (or the file's own 8-bit bytes) without their line ends; each
// keeps its own end so that a file written back unchanged is byte for byte
// the same, whatever its line ends and its byte-order mark.
enum class TextEncoding { EightBit, Utf16Le, Utf16Be };

struct ProfileLine {
  std::string text;
  std::string end;  // "\r\n", "\n" or "" (the last line without an end)
};

struct ProfileText {
  TextEncoding encoding = TextEncoding::EightBit;
  bool mark = false;  // the file starts with a byte-order mark (UTF-8's for 8-bit text)
  std::vector<ProfileLine> lines;

  // The line end that new lines get: the file's first one, else "\n".
  std::string LineEnd() const;
  // The index of the first line at or after `from` that contains `part`; npos if none.
  size_t Find(const std::string& part, size_t from = 0) const;
  // The index of the first line at or after `from` equal to `line`; npos if none.
  size_t FindExact(const std::string& line, size_t from = 0) const;
  // Line texts without line ends, for comparing content.
  std::vector<std::string> Texts() const;
};

// Splits the file's bytes into lines. False for what cannot be written back
// byte for byte: UTF-16 of odd length or with broken pairs, or 8-bit text
// with NUL bytes (UTF-16 without a mark is recognised by its NULs).
bool ParseProfileText(const std::string& bytes, ProfileText& text);
// The bytes of the text in its encoding; false when a line cannot be
// encoded (8-bit text that is not UTF-8 put into a UTF-16 file).
bool EncodeProfileText(const ProfileText& text, std::string& bytes);

// Reads and parses a whole file; false when it cannot be opened, read or parsed.
bool ReadProfileText(const std::wstring& path, ProfileText& text);
