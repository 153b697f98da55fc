#pragma once
#include <string>
#include <vector>

// One dictionary entry of the translation server's answer ("cform").
struct VqdEntryRecord {
  std::wstring source;
  std::wstring partOfSpeechCaption;
  std::vector<std::wstring> translations;
};

// Reads the server's dictionary answer with the MSXML DOM: false when the
// text is no well-formed XML. A "cform" without "source" or "psp", or a DOM
// failure, raises platform::ComError. Empty elements give empty texts.
bool ReadTranslationResultXml(const std::wstring& text, std::vector<VqdEntryRecord>* entries);

// Decodes decimal character references ("&#1087;") in one pass: what a
// reference yields is never read again, so "&#38;#1087;" gives "&#1087;".
// References to 0, beyond U+10FFFF or to a surrogate, and hexadecimal ones,
// stay as they are; code points above U+FFFF become surrogate pairs.
std::wstring DecodeCharacterReferences(const std::wstring& text);
