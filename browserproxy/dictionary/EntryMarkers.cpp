// Grammatical marks of translations and the entry's modifier records.
#include "EntryMarkers.h"

#include <map>

#include "ConditionLanguage.h"
#include "EntryDsc.h"
#include "TableAccess.h"
#include "TextEdit.h"

namespace {

constexpr int kConditionalMark = 1111;

std::wstring TransMarkSection(int code)
{
    switch (code) {
    case 3:
    case 5:
        return L"VERB";
    case 1:
        return L"NOUN";
    case 2:
        return L"ADJ";
    default:
        return {};
    }
}

std::wstring MarkerClass(int code)
{
    switch (code) {
    case 3:
    case 5:
    case 2003:
        return L"VERB";
    case 1:
    case 2001:
        return L"NOUN";
    case 2:
    case 2002:
        return L"ADJ";
    case 100:
    case 2100:
        return L"ADV";
    default:
        return L"NONCHANGABLE";
    }
}

// Inserts `insertion` before word `word` of the text (words are separated by
// blanks); nothing when the text has fewer than `word` blanks.
void InsertBeforeWord(std::wstring& text, int word, const std::wstring& insertion)
{
    if (word < 0)
        return;
    size_t position = 0;
    for (int blank = 0; blank < word; ++blank) {
        const size_t found = text.find(L' ', position);
        if (found == std::wstring::npos)
            return;
        position = found + 1;
    }
    text.insert(position, insertion);
}

struct MarkerBuilder {
    std::wstring result;
    bool keyMode = false;
    std::wstring tableName;
    std::wstring section;

    std::wstring Key(int index, int piece) const
    {
        std::wstring key = tableName + L"_" + section + L"_" + std::to_wstring(index);
        if (piece >= 0)
            key += L"_" + std::to_wstring(piece);
        return ToLower(key);
    }

    // Appends the text (or its key) with the separator unless it is there.
    void Append(const std::wstring& text, const std::wstring& key, const std::wstring& separator)
    {
        const std::wstring& item = keyMode ? key : text;
        if (result.find(item) != std::wstring::npos)
            return;
        result += item + separator;
    }
};

}  // namespace

bool CEntryDsc::FindModifierRecord(int row, int record, ModifierRecord* found) const
{
    if (row == -1)
        return false;
    for (const ModifierElement& element : modifiers_) {
        const ModifierRecord* hit = nullptr;
        if (element.record.HoldsSlot(record, row)) {
            hit = &element.record;
        } else {
            for (const ModifierRecord& nested : element.nested) {
                if (nested.HoldsSlot(record, row)) {
                    hit = &nested;
                    break;
                }
            }
        }
        if (hit) {
            if (found)
                *found = *hit;
            return true;
        }
    }
    return false;
}

bool CEntryDsc::HasModifier(int row, int record, uint16_t number) const
{
    if (!Record(row, record))
        return false;
    ModifierRecord found;
    if (!FindModifierRecord(row, record, &found))
        return false;
    return found.modifierSet.find(static_cast<wchar_t>(number)) != std::wstring::npos;
}

bool CEntryDsc::HasTransMark(int16_t partOfSpeech, char mark, LayoutTableSource* tables) const
{
    const std::wstring section = TransMarkSection(partOfSpeech);
    if (section.empty())
        return false;
    TableHandle table = OpenLayoutTable(tables, mdsFolder,
                                        GetLanguageLetter(true) + GetLanguageLetter(false) + L"TransMark.mds", {});
    if (!table)
        return false;
    const long count = table->GetKeyCount(section);
    for (long k = 0; k < count; ++k) {
        if (table->GetInt(section, table->GetKeyName(section, k), -1) == static_cast<long>(mark))
            return true;
    }
    return false;
}

void CEntryDsc::AddModifierRecord(const ModifierRecord& record, bool compareDictionary, LayoutTableSource* tables)
{
    ModifierElement* element = nullptr;
    for (ModifierElement& candidate : modifiers_) {
        const ModifierRecord& known = candidate.record;
        if (known.text == record.text && known.caption == record.caption && known.comment == record.comment &&
            known.label == record.label && (!compareDictionary || known.dictionaryName == record.dictionaryName) &&
            known.priority == record.priority) {
            element = &candidate;
            break;
        }
    }
    if (!element) {
        modifiers_.push_back({record, {}});
        return;
    }

    ModifierRecord& known = element->record;
    const auto firstIsTransMark = [&](const ModifierRecord& r) {
        return HasTransMark(r.code, static_cast<char>(r.modifierSet[0] & 0xFF), tables);
    };
    bool compatible = false;
    if (known.modifierSet == record.modifierSet) {
        compatible = true;
    } else if (known.modifierSet.empty()) {
        known.modifierSet = record.modifierSet;
        compatible = true;
    } else if (record.modifierSet.empty()) {
        compatible = true;
    } else if (!firstIsTransMark(known)) {
        known.modifierSet = record.modifierSet;
        compatible = true;
    } else if (!firstIsTransMark(record)) {
        compatible = true;
    }

    const RecordSlot mine = record.FirstSlot();
    const CEntryRecord* myRecord = Record(mine.row, mine.record);
    ModifierRecord* match = nullptr;
    for (ModifierRecord& nested : element->nested) {
        if (nested.modifierSet == record.modifierSet) {
            if (nested.dictionaryName.find(record.dictionaryName) == std::wstring::npos)
                nested.dictionaryName += L", " + record.dictionaryName;
            match = &nested;
            break;
        }
        const RecordSlot theirs = nested.FirstSlot();
        const CEntryRecord* theirRecord = Record(theirs.row, theirs.record);
        if (!myRecord || !theirRecord || theirRecord->codeString != myRecord->codeString)
            continue;
        const std::vector<std::wstring>& a = theirRecord->extraCodeStrings;
        const std::vector<std::wstring>& b = myRecord->extraCodeStrings;
        if (a.size() != b.size())
            continue;
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i] == b[i]) {
                match = &nested;
                break;
            }
        }
        if (match)
            break;
    }

    if (match) {
        match->AddSlot(mine.record, mine.row);
    } else if (compatible) {
        known.AddSlot(mine.record, mine.row);
    } else {
        element->nested.push_back(record);
        modifiers_.push_back({record, {}});
    }
}

std::wstring BuildEntryMarkers(const std::wstring& folder, const std::wstring& kind, int16_t partOfSpeech,
                               const CEntryDsc& entry, ModifierRecord& item, LayoutTableSource* tables,
                               const std::wstring& prefix, bool keyMode)
{
    if (partOfSpeech == 1000)
        return {};
    const std::wstring source = entry.GetLanguageLetter(true);
    TableHandle table = OpenLayoutTable(tables, folder, source + entry.GetLanguageLetter(false) + kind + L".mds",
                                        source + kind + L".mds");
    if (!table)
        return {};
    if (!table->HasIndex())
        return item.secondText + item.text;

    MarkerBuilder builder;
    builder.keyMode = keyMode;
    builder.section = prefix + MarkerClass(partOfSpeech);
    const std::wstring cachedName = tables ? tables->FindTableName(table.get()) : std::wstring();
    builder.tableName = BareTableName(cachedName.empty() ? table->GetName() : cachedName);

    const long keyCount = table->GetKeyCount(builder.section);
    if (keyCount <= 0)
        return {};

    // "(n)text" keys in the order of their numbers; numbers outside 1 to the
    // key count are not positions of the list and are skipped.
    std::map<int, std::pair<std::wstring, long>> pairs;
    for (long k = 0; k < keyCount; ++k) {
        const std::wstring key = table->GetKeyName(builder.section, k);
        const size_t close = key.find(L')');
        std::wstring number = key.substr(0, close == std::wstring::npos ? key.size() : close + 1);
        RemoveAll(number, L"(");
        RemoveAll(number, L")");
        const int n = ReadDecimal(number);
        if (n < 1 || n > keyCount)
            continue;
        const std::wstring text = close == std::wstring::npos ? std::wstring() : key.substr(close + 1);
        pairs[n - 1] = {text, table->GetInt(builder.section, key, -1)};
    }

    const RecordSlot slot = item.FirstSlot();
    const CEntryRecord* record = entry.Record(slot.row, slot.record);
    for (auto& [index, pair] : pairs) {
        std::wstring text = pair.first;
        const long value = pair.second;
        RemoveAll(text, L"%");
        if (value == -1)
            continue;
        if (value != kConditionalMark) {
            if (item.modifierSet.find(static_cast<wchar_t>(value & 0xFF)) == std::wstring::npos)
                continue;
            size_t start = 0;
            size_t hash = text.find(L'#');
            const bool hasHash = hash != std::wstring::npos;
            while (hash != std::wstring::npos) {
                builder.Append(text.substr(start, hash - start), builder.Key(index, 0), L",");
                start = hash + 1;
                hash = text.find(L'#', start);
            }
            builder.Append(text.substr(start), builder.Key(index, hasHash ? 1 : -1), L", ");
            continue;
        }

        std::wstring numberText;
        const size_t open = text.find(L'{');
        const size_t close = open == std::wstring::npos ? std::wstring::npos : text.find(L'}', open + 1);
        if (close != std::wstring::npos) {
            numberText = text.substr(open + 1, close - open - 1);
            const std::wstring form = entry.LookupForms(slot.row, slot.record, ReadDecimal(numberText), L"", tables);
            text.replace(open + 1, close - open - 1, form);
            RemoveAll(text, L"{");
            RemoveAll(text, L"}");
        }

        bool hasGroups = false;
        bool appendedLabel = false;
        size_t search = 0;
        for (;;) {
            const size_t lt = text.find(L'<', search);
            const size_t star = lt == std::wstring::npos ? std::wstring::npos : text.find(L'*', lt + 1);
            const size_t gt = star == std::wstring::npos ? std::wstring::npos : text.find(L'>', star + 1);
            if (gt == std::wstring::npos)
                break;
            hasGroups = true;
            search = gt + 1;
            const std::wstring label = text.substr(lt + 1, star - lt - 1);
            const std::wstring condition = text.substr(star + 1, gt - star - 1);
            if (!EvalConditionList(entry, condition, slot.row, slot.record, 1))
                continue;
            if (!label.empty() && label[0] == L'^') {
                std::wstring mark = label;
                RemoveAll(mark, L"^");
                for (uint16_t code : record ? record->markCodes : std::vector<uint16_t>()) {
                    if ((code >> 8) < 100)
                        continue;
                    if (condition.find(L"MOD(" + std::to_wstring(code & 0xFF) + L")") == std::wstring::npos)
                        continue;
                    InsertBeforeWord(item.text, static_cast<int>(code >> 8) - 128, L"<" + mark + L">");
                }
            } else {
                builder.Append(label, builder.Key(index, -1), keyMode ? L"," : L", ");
            }
            appendedLabel = true;
            break;
        }
        if (!hasGroups && !appendedLabel)
            builder.Append(text, builder.Key(index, -1), keyMode ? L"," : L", ");
    }

    std::wstring& result = builder.result;
    while (!result.empty() && result.back() == L',')
        result.pop_back();
    return result;
}
