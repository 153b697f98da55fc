#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A nested record a reading or a translation carries for the builder.
struct EntrySubRecord {
    std::vector<std::wstring> items;
    std::wstring first;
    std::wstring second;
    int32_t value1 = 0;
    int32_t value2 = 0;
};

// One translation of a reading of the source word.
struct CEntryRecord {
    int16_t partOfSpeech = 0;  // no 2000 offset is removed
    std::wstring word;
    std::wstring secondWord;
    std::vector<std::wstring> strings;
    // Forms of the target word, attached by CEntryDsc::AttachForms; the form
    // indices of the form tables count in this list.
    std::vector<std::wstring> targetForms;
    // Dictionary names; the first is the record's dictionary and its group key.
    std::vector<std::wstring> dictionaryNames;
    std::vector<std::wstring> dictionaryKeys;
    std::vector<EntrySubRecord> subRecords;
    // The first is the record's second text.
    std::wstring texts[6];
    // High byte 100 or more: a modifier mark, the low byte the modifier number
    // and the high byte less 128 the word the mark stands before.
    std::vector<uint16_t> markCodes;
    std::vector<uint16_t> codes;
    // One character per grammatical feature.
    std::wstring codeString;
    // Further code strings of the translation.
    std::vector<std::wstring> extraCodeStrings;
    int32_t inGroup = 0;
    int32_t weight = 0;
    std::wstring comment;
    int32_t priority = -1;
    std::wstring label;
    std::wstring markString;
    int32_t lastValue = 0;

    const std::wstring& SecondText() const { return texts[0]; }
};
