#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "FormLine.h"
#include "TableAccess.h"

class CEntryDsc;
class LayoutTableSource;
struct ConditionSubject;

// Short-lived worker that turns one side of a dictionary entry (the source
// word of a row, or one translation) into grammar lines: it finds the ".mds"
// table of that side, part of speech and language pair, and runs one
// interpreter over it. One loader call, one interpreter call, then it goes.
class CEDForm {
public:
    CEDForm() = default;
    virtual ~CEDForm() = default;
    CEDForm(const CEDForm&) = delete;
    CEDForm& operator=(const CEDForm&) = delete;

    // Folder of the tables; empty: the program's folder + "mds\".
    void SetFolder(const std::wstring& folder) { folder_ = folder; }

    // --- Loaders --------------------------------------------------------------
    // Input-form table of the headword of row `a` (side 1) or of translation
    // `a` of row `b` (side 0). 1 when the table came from the cache, else 0.
    int LoadInputForms(CEntryDsc* entry, int side, int a, int b, LayoutTableSource* tables);
    // Information table of translation `translation` of `row`. 1 on success.
    int LoadInfo(uint16_t language, int row, int translation, CEntryDsc* entry, LayoutTableSource* tables);

    // --- Interpreters ---------------------------------------------------------
    // Feature lines of the entry's current translation from the information
    // table (after LoadInfo).
    void BuildLayout(std::vector<FormLine>* lines, LayoutTableSource* tables);
    // Title of a word (after LoadInputForms): 1 when one was found.
    int BuildTitle(const std::wstring& unused, FormLine* line, bool translation, int row, int record,
                   LayoutTableSource* tables);
    // Information line of the current row's source word (after
    // LoadInputForms with side 1): 1 when a candidate matched.
    int BuildInfoLines(std::vector<FormLine>* lines, const std::wstring& request);
    void SetMode(int32_t mode) { mode_ = mode; }

    // --- Helpers --------------------------------------------------------------
    std::wstring GetLanguageLetter() const;
    std::wstring GetPartOfSpeechName() const;
    // File name (no folder, no extension) of the held table; "".
    std::wstring GetTableName() const;
    bool RowHasModifier(int row, uint16_t code) const;
    bool RecordHasModifier(int row, int translation, uint16_t code) const;
    int GetExtraCodeCount() const;
    std::wstring GetExtraCodeString(int k) const;
    // The condition language over an explicit code string; translation -1
    // counts as 0.
    bool EvalConditionList(const std::wstring& condition, const std::wstring& codeString, int row,
                           int translation) const;
    bool EvalCondition(const std::wstring& alternative, const std::wstring& codeString, int row,
                       int translation) const;

    static void AddLine(std::vector<FormLine>& lines, const FormLine& line);
    static void SplitFormPieces(const std::wstring& text, std::vector<std::wstring>& pieces);
    static bool IsUsableForm(const std::wstring& text);
    // Moves the word marked '<' to the front or '>' to the end of the text.
    static void NormalizeMarkup(std::wstring& text);
    // Moves each "#...]" segment in front of the word that holds the '#'.
    static std::wstring MoveMarkedSegments(const std::wstring& text);

    uint16_t language() const { return language_; }
    uint16_t partOfSpeech() const { return partOfSpeech_; }
    const std::wstring& code() const { return code_; }
    const std::wstring& word() const { return word_; }
    uint16_t lid() const { return lid_; }
    bool HasTable() const { return static_cast<bool>(table_); }
    bool OwnsTable() const { return table_.IsOwned(); }

private:
    std::wstring FullPath(const std::wstring& name) const;
    bool Exists(const std::wstring& name) const;
    bool TakeTable(const std::wstring& name);
    bool MatchesModifierFilter(const std::wstring& filter, int row, int translation) const;
    std::wstring FillInfoReferences(std::wstring pattern) const;
    ConditionSubject Subject(const std::wstring& codeString, int row, int translation) const;
    static std::wstring PadCodeString(std::wstring code);

    std::wstring folder_;
    TableHandle table_;
    uint16_t language_ = 0;
    uint16_t partOfSpeech_ = 0;
    int32_t mode_ = -1;
    std::wstring code_;
    std::wstring word_;
    CEntryDsc* entry_ = nullptr;
    LayoutTableSource* tables_ = nullptr;
    uint16_t lid_ = 0;
};

// Appends a record of the light view unless one with the same key is there.
template <typename Record>
void AddUniqueByKey(std::vector<Record>& records, const Record& record)
{
    for (const Record& existing : records) {
        if (existing.key == record.key)
            return;
    }
    records.push_back(record);
}
