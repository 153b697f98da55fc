#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Pairs a translation record with its row.
struct RecordSlot {
    int32_t record = -1;
    int32_t row = -1;
    bool operator==(const RecordSlot&) const = default;
};

// What the light view found for one translation: its texts, its modifier set
// and the (record, row) pairs that share them. The first slot names the
// translation the record was made for.
struct ModifierRecord {
    std::wstring text;
    std::wstring secondText;
    std::wstring caption;
    std::wstring recordTitle;
    std::wstring dictionaryName;
    std::wstring dictionaryKey;
    // One character per modifier; the character's code is its number.
    std::wstring modifierSet;
    std::wstring spare;
    std::wstring comment;
    std::wstring label;
    int32_t priority = 0;
    int16_t code = 0;  // part of speech
    std::vector<RecordSlot> slots;
    int32_t value1 = 0;
    int32_t value2 = 0;

    // Adds the pair unless a slot holds it already; slots with row -1 are free.
    void AddSlot(int32_t record, int32_t row);
    bool HoldsSlot(int32_t record, int32_t row) const;
    // The first pair, or {-1, -1}.
    RecordSlot FirstSlot() const;
};

// An element of an entry's modifier list: a record and the records that
// were found for the same translation texts but did not merge with it.
struct ModifierElement {
    ModifierRecord record;
    std::vector<ModifierRecord> nested;
};
