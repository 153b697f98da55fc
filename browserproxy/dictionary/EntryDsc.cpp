#include "EntryDsc.h"

#include <windows.h>

#include <cwchar>

#include "CharLibText.h"
#include "PartOfSpeech.h"

namespace {

constexpr uint32_t kRussian = 2;
constexpr int16_t kNoun = 1;

std::wstring FormKey(const std::wstring& word, int code)
{
    return word + L"#" + std::to_wstring(code);
}

void UpperCaseEachCharacter(std::wstring& text)
{
    if (!text.empty())
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
}

std::wstring TrimLeadingWhite(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L"\t \n\r");
    return first == std::wstring::npos ? std::wstring() : text.substr(first);
}

}  // namespace

void CIPsp::AddUniqueString(const std::wstring& text)
{
    for (const std::wstring& existing : uniqueStrings) {
        if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, existing.c_str(), static_cast<int>(existing.size()),
                           text.c_str(), static_cast<int>(text.size())) == CSTR_EQUAL)
            return;
    }
    uniqueStrings.push_back(text);
}

std::wstring CIPsp::GetSourceForm(int index) const
{
    if (index < 0 || index >= static_cast<int>(sourceForms.size()))
        return {};
    return sourceForms[index];
}

void ModifierRecord::AddSlot(int32_t record, int32_t row)
{
    if (row == -1 || HoldsSlot(record, row))
        return;
    slots.push_back({record, row});
}

bool ModifierRecord::HoldsSlot(int32_t record, int32_t row) const
{
    for (const RecordSlot& slot : slots) {
        if (slot.row != -1 && slot.row == row && slot.record == record)
            return true;
    }
    return false;
}

RecordSlot ModifierRecord::FirstSlot() const
{
    return slots.empty() ? RecordSlot{} : slots.front();
}

int CEntryDsc::RecordCount(int row) const
{
    const CIPsp* reading = Row(row);
    return reading ? static_cast<int>(reading->records.size()) : 0;
}

const CIPsp* CEntryDsc::Row(int row) const
{
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return nullptr;
    return &rows[row];
}

const CEntryRecord* CEntryDsc::Record(int row, int record) const
{
    const CIPsp* reading = Row(row);
    if (!reading || record < 0 || record >= static_cast<int>(reading->records.size()))
        return nullptr;
    return &reading->records[record];
}

void CEntryDsc::AttachForms(uint32_t direction)
{
    const uint16_t source = static_cast<uint16_t>(direction & 0xFFFF);
    const uint16_t target = static_cast<uint16_t>(direction >> 16);
    for (CIPsp& row : rows) {
        const int code = row.partOfSpeech >= 2001 ? row.partOfSpeech - 2000 : row.partOfSpeech;
        std::wstring key = FormKey(row.headword, code);
        CharLibMakeUpper(source, key);
        if (auto found = sourceFormMap.find(key); found != sourceFormMap.end()) {
            for (const std::wstring& form : found->second.forms)
                row.sourceForms.push_back(form);
        }
        for (CEntryRecord& record : row.records) {
            std::wstring recordKey = FormKey(record.word, record.partOfSpeech);
            CharLibMakeUpper(target, recordKey);
            UpperCaseEachCharacter(recordKey);
            if (auto found = targetFormMap.find(recordKey); found != targetFormMap.end()) {
                for (const std::wstring& form : found->second.forms)
                    record.targetForms.push_back(TrimLeadingWhite(form));
            }
        }
    }
    sourceLanguage_ = source;
    targetLanguage_ = target;
}

CExString CEntryDsc::GetTipText() const
{
    const CIPsp* row = Row(currentRow_);
    if (!row)
        return CExString();
    if (sourceLanguage_ == kRussian && row->partOfSpeech == kNoun && row->codeString.size() >= 4 &&
        row->codeString[3] == L'p')
        return CExString(row->GetSourceForm(6));
    return CExString(row->headword);
}

std::wstring CEntryDsc::GetLanguageLetter(bool source) const
{
    return LanguageLetter(source ? sourceLanguage_ : targetLanguage_);
}

std::wstring CEntryDsc::GetPartOfSpeechName(int16_t code)
{
    return PartOfSpeechName(code);
}

void ParseFormBlocks(uint16_t language, const std::wstring& text, FormMap& map)
{
    static const std::wstring kBlockEnd = L"##\n";
    size_t blockStart = 0;
    for (;;) {
        const size_t blockEnd = text.find(kBlockEnd, blockStart);
        if (blockEnd == std::wstring::npos)
            return;
        const std::wstring block = text.substr(blockStart, blockEnd - blockStart);
        blockStart = blockEnd + kBlockEnd.size();

        std::wstring name;
        CFormArray forms;
        bool haveName = false;
        size_t lineStart = 0;
        for (;;) {
            const size_t lineEnd = block.find(L'\n', lineStart);
            if (lineEnd == std::wstring::npos)
                break;  // a last line without a line feed is not a line
            std::wstring line = block.substr(lineStart, lineEnd - lineStart);
            lineStart = lineEnd + 1;
            if (!haveName) {
                name = line;
                CharLibMakeUpper(language, name);
                haveName = true;
            } else {
                forms.forms.push_back(line);
            }
            map[name] = forms;
        }
    }
}

std::wstring SplitHashList(const std::wstring& text)
{
    std::wstring result;
    size_t hash = text.find(L'#');
    while (hash != std::wstring::npos) {
        const size_t next = text.find(L'#', hash + 1);
        const size_t end = next == std::wstring::npos ? text.size() : next;
        result += text.substr(hash + 1, end - hash - 1);
        result += L'/';
        hash = next;
    }
    while (!result.empty() && result.back() == L'/')
        result.pop_back();
    return result;
}
