// Form tables of an entry: which form of a word or of a translation the
// layout shows, chosen by the sections and conditions of ".mds" tables.
#include <functional>

#include "ConditionLanguage.h"
#include "EntryDsc.h"
#include "TableAccess.h"
#include "TextEdit.h"

namespace {

// Form of a record: -1 (any negative index) the word itself, an index in its
// list that form, past the list the fallback.
std::wstring RecordForm(const CEntryRecord& record, int formIndex, bool wordPastEnd)
{
    if (formIndex < 0)
        return record.word;
    if (formIndex < static_cast<int>(record.targetForms.size()))
        return record.targetForms[formIndex];
    return wordPastEnd ? record.word : std::wstring();
}

std::wstring RowForm(const CIPsp& row, int formIndex)
{
    return formIndex < 0 ? row.headword : row.GetSourceForm(formIndex);
}

// Sections whose name holds the part-of-speech name. An empty name matches
// no section: a reading without a known part of speech takes no table rule.
bool SectionApplies(const std::wstring& section, const std::wstring& partOfSpeechName)
{
    return !partOfSpeechName.empty() && section.find(partOfSpeechName) != std::wstring::npos;
}

// "{n}" in a template: the number's text and value.
bool FindBracedNumber(const std::wstring& text, std::wstring* numberText)
{
    const size_t open = text.find(L'{');
    if (open == std::wstring::npos)
        return false;
    const size_t close = text.find(L'}', open + 1);
    if (close == std::wstring::npos)
        return false;
    *numberText = text.substr(open + 1, close - open - 1);
    return true;
}

// The sections in table order whose name holds the part-of-speech name and
// whose condition is empty or holds for the record; `take` returns true to
// stop at a section.
template <typename Take>
bool FindSection(const LayoutTable& table, const std::wstring& partOfSpeech, const CEntryDsc& entry, int row,
                 int record, Take take)
{
    const long sections = table.GetSectionCount();
    for (long s = 0; s < sections; ++s) {
        const std::wstring section = table.GetSectionName(s);
        if (!SectionApplies(section, partOfSpeech))
            continue;
        const std::wstring condition = table.GetString(section, L"COND");
        if (!condition.empty() && !EvalConditionList(entry, condition, row, record, 0))
            continue;
        if (take(section))
            return true;
    }
    return false;
}

// A template with "$" or a form number in braces filled from `form`.
std::wstring FillTemplate(std::wstring value, const std::wstring& plain, const std::function<std::wstring(int)>& form)
{
    std::wstring numberText;
    if (value.find(L'$') != std::wstring::npos)
        ReplaceAll(value, L"$", plain);
    else if (FindBracedNumber(value, &numberText) && !numberText.empty())
        ReplaceAll(value, numberText, form(ReadDecimal(numberText)));
    return value;
}

}  // namespace

int CEntryDsc::CountGroupRecords(int row, int record) const
{
    const CEntryRecord* translation = Record(row, record);
    if (!translation)
        return -1;
    if (translation->dictionaryNames.empty())
        return 0;
    const std::wstring& key = translation->dictionaryNames.front();
    int count = 0;
    for (const CEntryRecord& other : rows[row].records) {
        if (other.inGroup != 0 && !other.dictionaryNames.empty() && other.dictionaryNames.front() == key)
            ++count;
    }
    return count;
}

int CEntryDsc::GetGroupRecord(int row, int record, int k) const
{
    const CEntryRecord* translation = Record(row, record);
    if (!translation || translation->dictionaryNames.empty() || k < 0)
        return -1;
    const std::wstring& key = translation->dictionaryNames.front();
    const std::vector<CEntryRecord>& records = rows[row].records;
    for (size_t index = 0; index < records.size(); ++index) {
        const CEntryRecord& other = records[index];
        if (other.inGroup != 0 && !other.dictionaryNames.empty() && other.dictionaryNames.front() == key) {
            if (k == 0)
                return static_cast<int>(index);
            --k;
        }
    }
    return -1;
}

std::wstring CEntryDsc::LoadForms(int row, int record, int formIndex, const std::wstring& kind, bool groupMode,
                                  LayoutTableSource* tables) const
{
    const CEntryRecord* translation = Record(row, record);
    if (!translation)
        return {};
    const std::wstring tableKind = kind.empty() ? L"OForms" : kind;
    const std::wstring source = GetLanguageLetter(true);
    const std::wstring target = GetLanguageLetter(false);
    TableHandle table =
        OpenLayoutTable(tables, mdsFolder, source + target + tableKind + L".mds", target + tableKind + L".mds");
    if (!table)
        return RecordForm(*translation, formIndex, false);

    const std::wstring partOfSpeech = ToUpper(GetPartOfSpeechName(translation->partOfSpeech));
    const std::wstring formKey = std::to_wstring(formIndex);
    std::wstring result;
    const bool found = FindSection(*table.get(), partOfSpeech, *this, row, record, [&](const std::wstring& section) {
        std::wstring value = table->GetString(section, formKey);
        if (!groupMode) {
            if (value.empty())
                return false;
            result = FillTemplate(value, RecordForm(*translation, formIndex, false),
                                  [&](int n) { return RecordForm(*translation, n, false); });
            return true;
        }
        // The first record of the group decides.
        const int count = CountGroupRecords(row, record);
        for (int k = 0; k < count; ++k) {
            const int member = GetGroupRecord(row, record, k);
            if (member == -1) {
                value.clear();
                break;
            }
            const std::wstring plain = RecordForm(rows[row].records[member], formIndex, true);
            if (!value.empty())
                ReplaceAll(value, L"$", plain);
            else
                value = plain;
        }
        result = value;
        return true;
    });
    if (found)
        return result;
    return RecordForm(*translation, formIndex, false);
}

std::wstring CEntryDsc::LoadOForms(int row, int record, int formIndex, const std::wstring& callerCondition,
                                   LayoutTableSource* tables) const
{
    const CEntryRecord* translation = Record(row, record);
    if (!translation)
        return {};
    const std::wstring source = GetLanguageLetter(true);
    const std::wstring target = GetLanguageLetter(false);
    TableHandle table = OpenLayoutTable(tables, mdsFolder, target + L"OForms.mds",
                                        tables ? source + target + L"OForms.mds" : std::wstring());
    if (!table)
        return RecordForm(*translation, formIndex, true);

    const auto passes = [&](int member) {
        return callerCondition.empty() || EvalConditionList(*this, callerCondition, row, member, 0);
    };
    const int count = CountGroupRecords(row, record);
    const long sections = table->GetSectionCount();
    if (sections <= 0) {
        for (int k = 0; k < count; ++k) {
            const int member = GetGroupRecord(row, record, k);
            if (member != -1 && passes(member))
                return RecordForm(rows[row].records[member], formIndex, true);
        }
        return {};
    }

    const std::wstring partOfSpeech = ToUpper(GetPartOfSpeechName(translation->partOfSpeech));
    std::wstring result;
    const bool found = FindSection(*table.get(), partOfSpeech, *this, row, record, [&](const std::wstring& section) {
        const std::wstring pattern = table->GetString(section, std::to_wstring(formIndex));
        for (int k = 0; k < count; ++k) {
            const int member = GetGroupRecord(row, record, k);
            if (member == -1 || !passes(member))
                continue;
            const std::wstring plain = RecordForm(rows[row].records[member], formIndex, true);
            std::wstring piece = pattern;
            if (piece.find(L'$') != std::wstring::npos)
                ReplaceAll(piece, L"$", plain);
            else
                piece = plain;
            result += L"{#" + piece + L"#}";
            if (!callerCondition.empty())
                break;
        }
        return true;
    });
    if (found)
        return result;
    return RecordForm(*translation, formIndex, true);
}

std::wstring CEntryDsc::LookupForms(int row, int record, int formIndex, const std::wstring& kind,
                                    LayoutTableSource* tables) const
{
    const CIPsp* reading = Row(row);
    if (!reading)
        return {};
    if (record == -1)
        return reading->headword;
    if (!Record(row, record))
        return {};
    const std::wstring tableKind = kind.empty() ? L"Forms" : kind;
    const std::wstring source = GetLanguageLetter(true);
    const std::wstring target = GetLanguageLetter(false);
    TableHandle table =
        OpenLayoutTable(tables, mdsFolder, source + target + tableKind + L".mds", source + tableKind + L".mds");
    if (!table)
        return RowForm(*reading, formIndex);

    const std::wstring partOfSpeech = ToUpper(GetPartOfSpeechName(reading->partOfSpeech));
    const std::wstring formKey = std::to_wstring(formIndex);
    std::wstring result;
    const bool found = FindSection(*table.get(), partOfSpeech, *this, row, record, [&](const std::wstring& section) {
        const std::wstring value = table->GetString(section, formKey);
        if (value.empty())
            return false;
        result = FillTemplate(value, RowForm(*reading, formIndex), [&](int n) { return RowForm(*reading, n); });
        return true;
    });
    if (found)
        return result;
    return RowForm(*reading, formIndex);
}

std::wstring CEntryDsc::LoadFormsFor(int formIndex, bool groupMode, LayoutTableSource* tables) const
{
    if (GetCurrentRow() >= RowCount() || GetCurrentRecord() == -1)
        return {};
    return LoadForms(GetCurrentRow(), GetCurrentRecord(), formIndex, L"OForms", groupMode, tables);
}

std::wstring CEntryDsc::LoadOFormsFor(int formIndex, const std::wstring& callerCondition,
                                      LayoutTableSource* tables) const
{
    if (GetCurrentRow() >= RowCount() || GetCurrentRecord() == -1)
        return {};
    return LoadOForms(GetCurrentRow(), GetCurrentRecord(), formIndex, callerCondition, tables);
}

std::wstring CEntryDsc::LookupFormsFor(int formIndex, LayoutTableSource* tables) const
{
    return LookupForms(GetCurrentRow(), GetCurrentRecord(), formIndex, L"Forms", tables);
}
