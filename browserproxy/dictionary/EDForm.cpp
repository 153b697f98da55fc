#include "EDForm.h"

#include "ConditionLanguage.h"
#include "EntryDsc.h"
#include "PartOfSpeech.h"
#include "TextEdit.h"

std::wstring CEDForm::GetLanguageLetter() const
{
    return LanguageLetter(language_);
}

std::wstring CEDForm::GetPartOfSpeechName() const
{
    return PartOfSpeechName(partOfSpeech_);
}

std::wstring CEDForm::FullPath(const std::wstring& name) const
{
    return LayoutFolder(folder_) + name;
}

bool CEDForm::Exists(const std::wstring& name) const
{
    return LayoutTableExists(tables_, FullPath(name));
}

bool CEDForm::TakeTable(const std::wstring& name)
{
    // An owned table closes when the handle is replaced; a borrowed one stays
    // with the cache.
    table_ = TableHandle();
    table_ = OpenLayoutTable(tables_, folder_, name, {});
    return static_cast<bool>(table_);
}

int CEDForm::LoadInputForms(CEntryDsc* entry, int side, int a, int b, LayoutTableSource* tables)
{
    entry_ = entry;
    tables_ = tables;
    if (!entry)
        return 0;
    if (side == 1) {
        const CIPsp* row = entry->Row(a);
        if (!row)
            return 0;
        partOfSpeech_ = static_cast<uint16_t>(row->partOfSpeech);
        word_ = row->headword;
        code_ = row->codeString;
        language_ = static_cast<uint16_t>(entry->GetSourceLanguage());
    } else {
        const CEntryRecord* record = entry->Record(b, a);
        if (!record)
            return 0;
        partOfSpeech_ = static_cast<uint16_t>(record->partOfSpeech);
        language_ = static_cast<uint16_t>(entry->GetTargetLanguage());
        word_ = record->word;
    }
    const std::wstring prefix =
        side == 1 ? GetLanguageLetter() + entry->GetLanguageLetter(false) : entry->GetLanguageLetter(false);
    const std::wstring first = prefix + L"Inp" + GetPartOfSpeechName() + L"n.mds";
    const std::wstring retry = GetLanguageLetter() + L"Inp" + GetPartOfSpeechName() + L"N.mds";
    if (!tables && !Exists(first) && side == 0)
        return 0;
    if (!TakeTable(first) && !TakeTable(retry))
        return 0;
    return 1;
}

int CEDForm::LoadInfo(uint16_t language, int row, int translation, CEntryDsc* entry, LayoutTableSource* tables)
{
    entry_ = entry;
    tables_ = tables;
    language_ = language;
    if (!entry || !entry->Row(row))
        return 0;
    partOfSpeech_ = static_cast<uint16_t>(entry->Row(row)->partOfSpeech);
    const std::wstring source = entry->GetLanguageLetter(true);
    const std::wstring name = source + entry->GetLanguageLetter(false) + L"Info" + GetPartOfSpeechName() + L"n.mds";
    const std::wstring second = source + L"Info" + GetPartOfSpeechName() + L"n.mds";
    if (!TakeTable(name) && !TakeTable(second))
        return 0;
    const CEntryRecord* record = entry->Record(row, translation);
    if (!record)
        return 0;
    code_ = record->codeString;
    lid_ = 0;
    if (!table_->HasIndex())
        return 0;
    const long lid = table_->GetInt(L"INFO", L"LID", -1);
    lid_ = lid == -1 ? language_ : static_cast<uint16_t>(lid);
    return 1;
}

std::wstring CEDForm::GetTableName() const
{
    if (!table_ || !table_->HasIndex())
        return {};
    const std::wstring cached = tables_ ? tables_->FindTableName(table_.get()) : std::wstring();
    return BareTableName(cached.empty() ? table_->GetName() : cached);
}

bool CEDForm::RowHasModifier(int row, uint16_t code) const
{
    const CIPsp* reading = entry_ ? entry_->Row(row) : nullptr;
    if (!reading)
        return false;
    for (const CEntryRecord& record : reading->records) {
        for (uint16_t mark : record.markCodes) {
            if (mark == code)
                return true;
        }
    }
    return false;
}

bool CEDForm::RecordHasModifier(int row, int translation, uint16_t code) const
{
    return entry_ && entry_->HasModifier(row, translation, static_cast<uint16_t>(code & 0xFF));
}

int CEDForm::GetExtraCodeCount() const
{
    const CEntryRecord* record = entry_ ? entry_->Record(entry_->GetCurrentRow(), entry_->GetCurrentRecord()) : nullptr;
    return record ? static_cast<int>(record->extraCodeStrings.size()) : 0;
}

std::wstring CEDForm::GetExtraCodeString(int k) const
{
    if (k < 0 || k >= GetExtraCodeCount())
        return {};
    return entry_->Record(entry_->GetCurrentRow(), entry_->GetCurrentRecord())->extraCodeStrings[k];
}

ConditionSubject CEDForm::Subject(const std::wstring& codeString, int row, int translation) const
{
    if (translation == -1)
        translation = 0;
    return ConditionSubject{codeString, [this, row, translation](int number) {
                                return RecordHasModifier(row, translation, static_cast<uint16_t>(number));
                            }};
}

bool CEDForm::EvalConditionList(const std::wstring& condition, const std::wstring& codeString, int row,
                                int translation) const
{
    return EvaluateConditionList(condition, Subject(codeString, row, translation));
}

bool CEDForm::EvalCondition(const std::wstring& alternative, const std::wstring& codeString, int row,
                            int translation) const
{
    return EvaluateCondition(alternative, Subject(codeString, row, translation));
}

std::wstring CEDForm::PadCodeString(std::wstring code)
{
    // Further code strings shorter than 40 characters get 35 zeros.
    if (!code.empty() && code.size() < 40)
        code += std::wstring(35, L'0');
    return code;
}

void CEDForm::AddLine(std::vector<FormLine>& lines, const FormLine& line)
{
    for (const FormLine& existing : lines) {
        if (existing.comment == line.comment && existing.value == line.value)
            return;
    }
    lines.push_back(line);
}

void CEDForm::SplitFormPieces(const std::wstring& text, std::vector<std::wstring>& pieces)
{
    size_t position = 0;
    for (;;) {
        const size_t open = text.find(L"{#", position);
        if (open == std::wstring::npos)
            return;
        const size_t close = text.find(L"#}", open);
        if (close == std::wstring::npos)
            return;
        pieces.push_back(text.substr(open + 2, close > open + 2 ? close - open - 2 : 0));
        position = close + 2;
    }
}

bool CEDForm::IsUsableForm(const std::wstring& text)
{
    return !(text.empty() || text == L"&" || text == L" " || text == L"@");
}
