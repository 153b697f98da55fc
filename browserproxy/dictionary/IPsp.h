#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "EntryRecord.h"

// One reading of the source word: its part of speech, headword, forms and
// its translations.
class CIPsp {
public:
    CIPsp() = default;
    virtual ~CIPsp() = default;
    CIPsp(const CIPsp&) = default;
    CIPsp& operator=(const CIPsp&) = default;

    void SetHeadword(const std::wstring& text) { headword = text; }
    void SetPartOfSpeech(int16_t code) { partOfSpeech = code; }
    void AddCode(int16_t code) { codes.push_back(code); }
    // Appends unless an equal string (ignoring case) is there.
    void AddUniqueString(const std::wstring& text);
    void AddSourceForm(const std::wstring& text) { sourceForms.push_back(text); }
    // The source form at that index; "" when there is none.
    std::wstring GetSourceForm(int index) const;

    std::vector<CEntryRecord> records;
    int16_t value16 = 0;
    int32_t rowValue = 0;
    int16_t partOfSpeech = 0;
    std::vector<std::wstring> sourceForms;
    int16_t value16b = 0;
    int16_t value16c = 0;
    std::wstring codeString;
    std::vector<std::wstring> strings;
    std::vector<std::wstring> uniqueStrings;
    std::vector<int16_t> codes;
    std::wstring headword;
    std::wstring text;
    std::wstring note;
    std::vector<EntrySubRecord> subRecords;
};

// The name the word popup's code uses for a reading.
using GrammarRow = CIPsp;
