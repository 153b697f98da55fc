#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ExString.h"
#include "FormArray.h"
#include "FormLine.h"
#include "IPsp.h"
#include "ModifierRecord.h"

class LayoutTableSource;

// One dictionary entry of one translation variant of a word: the readings
// of the source word (rows) with their translations (records), the word
// forms of both languages, the language pair, the modifiers the layout
// found, and a cursor (current row, current record) through which the
// layout reads one reading at a time.
//
// No read throws for a bad row, record or form index: texts come back
// empty, tests false, searches -1. Table caches may be null: tables are
// then opened from their files.
class CEntryDsc {
public:
    CEntryDsc() = default;
    virtual ~CEntryDsc() = default;
    CEntryDsc(const CEntryDsc&) = default;
    CEntryDsc& operator=(const CEntryDsc&) = default;

    // --- Filled by the translation-variant builder -------------------------
    std::wstring firstText;
    std::wstring secondText;
    CExString extraTexts[3];
    int32_t values[5] = {};
    FormMap sourceFormMap;
    FormMap targetFormMap;
    std::vector<CIPsp> rows;
    std::wstring spareText;
    // Folder of the layout tables; empty: the program's folder + "mds\".
    std::wstring mdsFolder;

    void SetSourceLanguage(uint32_t language) { sourceLanguage_ = language; }
    void SetTargetLanguage(uint32_t language) { targetLanguage_ = language; }
    uint32_t GetSourceLanguage() const { return sourceLanguage_; }
    uint32_t GetTargetLanguage() const { return targetLanguage_; }

    // Attaches the word forms of the form maps to the rows and records and
    // sets the language pair: low 16 bits source, high 16 bits target.
    // Called once, after every row and record exists.
    void AttachForms(uint32_t direction);

    // --- Cursor -----------------------------------------------------------
    void SetCurrentRow(int row) { currentRow_ = static_cast<int16_t>(row); }
    int GetCurrentRow() const { return currentRow_; }
    // -1: no current record.
    void SetCurrentRecord(int record) { currentRecord_ = record; }
    int GetCurrentRecord() const { return currentRecord_; }

    // --- Checked access -----------------------------------------------------
    int RowCount() const { return static_cast<int>(rows.size()); }
    int RecordCount(int row) const;
    const CIPsp* Row(int row) const;
    const CEntryRecord* Record(int row, int record) const;

    // --- Texts --------------------------------------------------------------
    // Tool-tip text of the current row.
    CExString GetTipText() const;
    // Letter of the source (true) or target language in table names.
    std::wstring GetLanguageLetter(bool source) const;
    static std::wstring GetPartOfSpeechName(int16_t code);

    // --- Form tables --------------------------------------------------------
    // Form text of a record (form index -1: the word itself). An empty kind
    // is "OForms".
    std::wstring LoadForms(int row, int record, int formIndex, const std::wstring& kind, bool groupMode,
                           LayoutTableSource* tables) const;
    // The record's group, each piece wrapped as "{#...#}".
    std::wstring LoadOForms(int row, int record, int formIndex, const std::wstring& callerCondition,
                            LayoutTableSource* tables) const;
    // Form text of a row (record -1: the headword). An empty kind is "Forms".
    std::wstring LookupForms(int row, int record, int formIndex, const std::wstring& kind,
                             LayoutTableSource* tables) const;
    std::wstring LoadFormsFor(int formIndex, bool groupMode, LayoutTableSource* tables) const;
    std::wstring LoadOFormsFor(int formIndex, const std::wstring& callerCondition, LayoutTableSource* tables) const;
    std::wstring LookupFormsFor(int formIndex, LayoutTableSource* tables) const;

    // Records of the record's group (same first dictionary name, in-group flag
    // set): count, or -1 for a bad row or record; index of the k-th, or -1.
    int CountGroupRecords(int row, int record) const;
    int GetGroupRecord(int row, int record, int k) const;

    // --- Modifiers -----------------------------------------------------------
    bool FindModifierRecord(int row, int record, ModifierRecord* found) const;
    bool HasModifier(int row, int record, uint16_t number) const;
    // Whether the TransMark table lists that mark for the word class.
    bool HasTransMark(int16_t partOfSpeech, char mark, LayoutTableSource* tables) const;
    // Merges a record made by the light view into the modifier list.
    void AddModifierRecord(const ModifierRecord& record, bool compareDictionary, LayoutTableSource* tables);
    const std::vector<ModifierElement>& Modifiers() const { return modifiers_; }

    // --- Grammar lines --------------------------------------------------------
    // Feature lines of the current row and record; false when lines or tables
    // are missing or the current row is out of range.
    bool FillFormRecords(std::vector<FormLine>* lines, LayoutTableSource* tables);
    // Information line of the current row's source word; same results.
    bool FillFormRecordsEx(std::vector<FormLine>* lines, LayoutTableSource* tables);
    // Title of a translation without the word itself; "" for a bad index.
    std::wstring GetRecordTitle(int row, int record, LayoutTableSource* tables);

private:
    std::vector<ModifierElement> modifiers_;
    uint32_t sourceLanguage_ = 2;
    uint32_t targetLanguage_ = 1;
    int32_t currentRecord_ = 0;
    int16_t currentRow_ = 0;
};

// Fills the form map from the kernel's form blocks: blocks end with "##\n",
// the first line is the name (upper-cased for the language), the others
// forms. Text after the last block end is ignored.
void ParseFormBlocks(uint16_t language, const std::wstring& text, FormMap& map);

// "a#b#c" -> "b/c": the pieces after each "#" joined with "/".
std::wstring SplitHashList(const std::wstring& text);
