#pragma once
#include <cstdint>
#include <optional>
#include <string>

struct CEntryRecord;

// The canonical form a "CANON" value of the TransOut table names: a decimal
// target-form index, or an index in braces followed by "#" and a
// part-of-speech code ("{1}#3").
struct CanonicalForm {
    std::wstring text;
    int16_t partOfSpeech = 0;
    // True when the value named the part of speech ("#code"); the caption is
    // then that code's, else none.
    bool namedPartOfSpeech = false;
};

// Nothing when the index is not one of the record's target forms
// (negative or past the list); text without digits reads as index 0.
std::optional<CanonicalForm> ResolveCanonicalForm(const CEntryRecord& record, const std::wstring& canon);
