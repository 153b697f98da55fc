// The title and information-line interpreters of the input-form tables.
#include <algorithm>

#include "ConditionLanguage.h"
#include "EDForm.h"
#include "EntryDsc.h"
#include "TextEdit.h"

namespace {

constexpr int32_t kInfoColour = 0x800000;

// The first "{n}" of a pattern: positions of the braces and n.
bool FindReference(const std::wstring& text, size_t from, size_t* open, size_t* close, int* number)
{
    *open = text.find(L'{', from);
    if (*open == std::wstring::npos)
        return false;
    *close = text.find(L'}', *open + 1);
    if (*close == std::wstring::npos)
        return false;
    *number = ReadDecimal(text.substr(*open + 1, *close - *open - 1));
    return true;
}

FormLine InfoLine(const std::wstring& value, const std::wstring& key)
{
    FormLine line;
    line.value = value;
    line.extra5 = 0;
    line.extra6 = kInfoColour;
    line.extra7 = 2;
    line.key = ToLower(key);
    return line;
}

}  // namespace

int CEDForm::BuildTitle(const std::wstring&, FormLine* line, bool translation, int row, int record,
                        LayoutTableSource* tables)
{
    if (!line || !entry_ || !table_ || !table_->HasIndex())
        return 0;
    tables_ = tables;
    if (record == -1)
        record = 0;

    std::wstring section = L"CANONIC";
    if (translation) {
        section = ToUpper(L"OUT_" + entry_->GetLanguageLetter(true) + entry_->GetLanguageLetter(false));
        if (table_->GetKeyCount(section) <= 0)
            section = L"OUT";
    }
    const CIPsp* reading = entry_->Row(row);
    const CEntryRecord* target = entry_->Record(row, record);
    if (!reading || (translation && !target))
        return 0;
    const std::wstring word = translation ? target->word : reading->headword;
    const std::wstring codeString = target ? target->codeString : std::wstring();
    const std::wstring caption = table_->GetString(L"CANONIC", L"TITLE");
    const std::wstring key = ToLower(GetTableName() + L"_canon");

    FormLine fallback;
    bool sawFallback = false;
    const long count = table_->GetKeyCount(section);
    for (long k = 0; k < count; ++k) {
        std::wstring pattern = table_->GetKeyName(section, k);
        if (pattern == L"TITLE")
            continue;
        const std::wstring condition = table_->GetString(section, pattern);
        size_t open = 0;
        size_t close = 0;
        int n = 0;
        const bool hasReference = FindReference(pattern, 0, &open, &close, &n);
        if (condition.empty()) {
            fallback.extra1 = 1;
            fallback.extraText1 = word;
            if (hasReference && n == -1) {
                // The form tables' form of this very word, not of the cursor's.
                const std::wstring form = translation ? entry_->LoadForms(row, record, -1, L"OForms", false, tables_)
                                                      : entry_->LookupForms(row, target ? record : -1, -1, L"Forms", tables_);
                pattern.replace(open, close - open + 1, form);
                fallback.value = pattern;
            }
            if (!translation) {
                fallback.comment = caption + L": ";
                fallback.key = key;
            }
            sawFallback = true;
            continue;
        }
        if (!EvalConditionList(condition, codeString, row, record))
            continue;
        line->extra1 = 1;
        line->extraText1 = word;
        if (hasReference) {
            std::wstring form;
            if (n == -1)
                form = word;
            else if (!translation)
                form = reading->GetSourceForm(n);
            else if (n >= 0 && n < static_cast<int>(target->targetForms.size()))
                form = target->targetForms[n];
            pattern.replace(open, close - open + 1, form);
        }
        line->value = pattern;
        line->comment = caption + L": ";
        line->key = key;
        return 1;
    }
    if (!sawFallback)
        return 0;
    *line = fallback;
    return 1;
}

std::wstring CEDForm::FillInfoReferences(std::wstring text) const
{
    const CIPsp* reading = entry_ ? entry_->Row(entry_->GetCurrentRow()) : nullptr;
    const auto formOf = [reading](int n) { return reading ? reading->GetSourceForm(n) : std::wstring(); };

    bool dropped = false;
    size_t from = 0;
    size_t open = 0;
    size_t close = 0;
    int n = 0;
    while (FindReference(text, from, &open, &close, &n)) {
        const std::wstring form = formOf(n);
        if (!form.empty() && form != L"&") {
            text.replace(open, close - open + 1, form);
            from = open + form.size();
            continue;
        }
        // Drop the reference with its separator group and leave a placeholder.
        dropped = true;
        const size_t before = open == 0 ? std::wstring::npos : text.find_last_of(L";<", open - 1);
        const long s = before == std::wstring::npos ? -1 : static_cast<long>(before);
        size_t after = text.find(L';', close + 1);
        bool angleEnd = false;
        if (after == std::wstring::npos) {
            after = text.find(L'>', close + 1);
            angleEnd = after != std::wstring::npos;
        }
        const std::wstring placeholder = angleEnd ? L";&" : L"&;";
        if (after == std::wstring::npos) {
            // No end of the group: leave the placeholder in front of the
            // group and stop, rather than meet this reference again.
            text.insert(static_cast<size_t>(s + 1), placeholder);
            break;
        }
        const long e = static_cast<long>(after);
        long start = 0;
        long length = 0;
        const bool percentGroups = text.find(L"<%") != std::wstring::npos;
        const size_t firstSeparator = text.find_first_of(L";<");
        if (!percentGroups) {
            start = angleEnd ? s : s + 1;
            length = e - s;
        } else if (s >= 0 && static_cast<size_t>(s) == firstSeparator) {
            start = angleEnd ? s + 2 : s + 3;
            length = angleEnd ? e - s - 2 : e - s - 1;
        } else {
            start = angleEnd ? s : s + 1;
            length = e - s - 1;
        }
        start = std::max(0L, std::min(start, static_cast<long>(text.size())));
        length = std::max(0L, std::min(length, static_cast<long>(text.size()) - start));
        const bool coversReference =
            start <= static_cast<long>(open) && start + length >= static_cast<long>(close) + 1;
        text.erase(static_cast<size_t>(start), static_cast<size_t>(length));
        text.insert(static_cast<size_t>(start), placeholder);
        if (text == L">" || text == L"<")
            text.clear();
        if (s < 0 || !coversReference)
            break;  // nothing left to search, or the reference would come back
        from = static_cast<size_t>(s);
    }

    text = TrimBoth(text, L" ;");
    if (dropped) {
        RemoveAll(text, L"&;");
        RemoveAll(text, L"&");
        ReplaceAll(text, L";%", L"%");
    }
    if (text == L"<>" || text == L"<" || text == L">")
        text.clear();
    return text;
}

std::wstring CEDForm::MoveMarkedSegments(const std::wstring& source)
{
    std::wstring text = source;
    size_t from = 0;
    for (;;) {
        const size_t hash = text.find(L'#', from);
        if (hash == std::wstring::npos)
            break;
        const size_t close = hash + 2 <= text.size() ? text.find(L']', hash + 2) : std::wstring::npos;
        const size_t segmentEnd = close == std::wstring::npos ? text.size() : close;
        std::wstring segment = text.substr(hash + 1, segmentEnd - hash - 1);
        text.erase(hash, segmentEnd - hash);

        const size_t bracket = hash == 0 ? std::wstring::npos : text.find_last_of(L'[', hash - 1);
        const size_t space = hash == 0 ? std::wstring::npos : text.find_last_of(L' ', hash - 1);
        size_t insertAt = 0;
        if (bracket != std::wstring::npos && (space == std::wstring::npos || bracket > space)) {
            insertAt = bracket + 1;
            segment = TrimBoth(segment, L" ") + L" ";
        } else if (space != std::wstring::npos) {
            insertAt = space + 1;
        }
        text.insert(insertAt, segment);
        from = insertAt + segment.size();
    }
    ReplaceAll(text, L";;", L";");
    return text;
}

int CEDForm::BuildInfoLines(std::vector<FormLine>* lines, const std::wstring&)
{
    if (!lines || !entry_ || !table_ || !table_->HasIndex())
        return 0;
    const std::wstring tableName = GetTableName();
    const int row = entry_->GetCurrentRow();
    const int tr = entry_->GetCurrentRecord();
    const CIPsp* reading = entry_->Row(row);

    const long count = table_->GetKeyCount(L"INFO");
    for (long k = 0; k < count; ++k) {
        std::wstring pattern = table_->GetKeyName(L"INFO", k);
        const std::wstring condition = table_->GetString(L"INFO", pattern);
        const std::wstring key = tableName + L"_info_" + std::to_wstring(k);
        if (condition.empty()) {
            size_t from = 0;
            size_t open = 0;
            size_t close = 0;
            int n = 0;
            while (FindReference(pattern, from, &open, &close, &n)) {
                const std::wstring form = reading ? reading->GetSourceForm(n) : std::wstring();
                pattern.replace(open, close - open + 1, form);
                from = open + form.size();
            }
            lines->push_back(InfoLine(pattern, key));
            return 1;
        }
        const CEntryRecord* record = entry_->Record(std::max(row, 0), std::max(tr, 0));
        std::wstring code = record ? record->codeString : std::wstring();
        for (int extra = 0; !code.empty(); ++extra) {
            if (EvalConditionList(condition, code, row, tr)) {
                lines->push_back(InfoLine(MoveMarkedSegments(FillInfoReferences(pattern)), key));
                return 1;
            }
            code = PadCodeString(GetExtraCodeString(extra));
        }
    }
    lines->push_back(InfoLine(L"", tableName + L"_info_0"));
    return 0;
}
