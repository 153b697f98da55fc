#pragma once
#include <cstdint>
#include <string>

class CEntryDsc;
class LayoutTableSource;
struct ModifierRecord;

// Marker text of one translation from a marker table ("TransMarkRef" or
// "InpMarkRef") of the entry's language pair. The item describes the
// translation: its first slot names the row and record, its modifier set is
// the mark string (one character per mark code), its text may gain labels
// inserted before a word. With `keyMode` the result lists lower-case keys
// instead of texts. Sections are the prefix ("INP_", "COMMENT_" or "") and
// the word class of the part-of-speech code.
std::wstring BuildEntryMarkers(const std::wstring& folder, const std::wstring& kind, int16_t partOfSpeech,
                               const CEntryDsc& entry, ModifierRecord& item, LayoutTableSource* tables,
                               const std::wstring& prefix, bool keyMode);
