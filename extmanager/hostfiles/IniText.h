#pragma once
#include <optional>
#include <string>

// One key of an ".ini" text set or removed in place, as the system's
// profile-string service would, while every other line keeps its bytes:
// the user's own keys, comments, blank lines and line ends. Names compare
// without regard to letter case.

// Sets `key` = value in `section` (added at the end when missing), or, with
// no value, removes the key; true when the text changed.
bool EditIniKey(std::wstring& text, const std::wstring& section, const std::wstring& key,
                const std::optional<std::wstring>& value);
// The key's value, when the section holds it.
std::optional<std::wstring> ReadIniKey(const std::wstring& text, const std::wstring& section,
                                       const std::wstring& key);
// The text holds nothing but blank lines and empty sections named `section`.
bool IsEmptyIni(const std::wstring& text, const std::wstring& section);

// An ".ini" file's text: UTF-16LE or UTF-8 with their byte-order marks, else
// the system's ANSI code page; encoding it again gives the same form.
struct IniFile {
  enum class Form { Ansi, Utf16, Utf8 };
  Form form = Form::Ansi;
  std::wstring text;
};
bool DecodeIni(const std::string& bytes, IniFile& file);
std::string EncodeIni(const IniFile& file);
