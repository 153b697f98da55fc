// Tables and entries made of random pieces of mark-up: every interpreter
// ends and gives some entry, whatever the tables hold.
#include <gtest/gtest.h>

#include <random>

#include "MemoryTables.h"
#include "browserproxy/dictionary/CanonicalForm.h"
#include "browserproxy/dictionary/ConditionLanguage.h"
#include "browserproxy/dictionary/EDForm.h"
#include "browserproxy/dictionary/EntryDsc.h"
#include "browserproxy/dictionary/EntryMarkers.h"

namespace {

const wchar_t* const kPieces[] = {
    L"{",   L"}",  L"-1", L"0",    L"1",  L"2",  L"7",  L"49", L"|",  L"&",  L"!",  L"MOD(", L"MOD", L"(",
    L")",   L";",  L"<",  L">",    L"%",  L"#",  L"[#", L"#]", L"/@", L"@/", L"^",  L"$",    L" ",   L"a",
    L"xy",  L"{#", L"#}", L"1111", L"*",  L"@",  L"[",  L"]",  L"<%", L"{^", L"99999999999",
};

class RandomText {
public:
    explicit RandomText(unsigned seed) : engine_(seed) {}
    std::wstring Text(int maxPieces)
    {
        std::wstring text;
        const int count = std::uniform_int_distribution<int>(0, maxPieces)(engine_);
        for (int i = 0; i < count; ++i)
            text += kPieces[std::uniform_int_distribution<size_t>(0, std::size(kPieces) - 1)(engine_)];
        return text;
    }
    std::wstring CodeString()
    {
        std::wstring code;
        const int length = std::uniform_int_distribution<int>(0, 60)(engine_);
        for (int i = 0; i < length; ++i)
            code += L"0101012\x0431\xFFFF"[std::uniform_int_distribution<int>(0, 8)(engine_)];
        return code;
    }
    int Number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

private:
    std::mt19937 engine_;
};

std::wstring RandomTable(RandomText& random, const std::vector<std::wstring>& sections,
                         const std::vector<std::wstring>& keys)
{
    std::wstring text;
    for (const std::wstring& section : sections) {
        text += L"[" + section + L"]\n";
        const int count = random.Number(0, 12);
        for (int i = 0; i < count; ++i) {
            const std::wstring key = random.Number(0, 2) == 0 ? random.Text(4) : keys[random.Number(0, keys.size() - 1)];
            if (key.find(L'=') != std::wstring::npos || key.empty())
                continue;
            const std::wstring value =
                key == L"PRIZN" || key == L"UNION" ? std::to_wstring(random.Number(-1, 6)) : random.Text(6);
            text += key + L"=" + value + L"\n";
        }
    }
    return text;
}

TEST(RandomTables, EveryInterpreterEnds)
{
    const std::vector<std::wstring> infoSections = {L"INFO", L"1", L"2", L"3", L"4"};
    const std::vector<std::wstring> infoKeys = {L"PRIZN", L"49", L"48", L"0",     L"49#S",  L"49#T",
                                                L"MOD1",  L"MOD2", L"UNION", L"TARGET", L"COMMENT", L"CAPTION"};
    const std::vector<std::wstring> inputSections = {L"OUT_ER", L"OUT", L"CANONIC", L"INFO"};
    const std::vector<std::wstring> inputKeys = {L"TITLE", L"{-1}", L"{0};{1}", L"{2}"};
    const std::vector<std::wstring> formSections = {L"NOUN", L"VERB", L"ADJ"};
    const std::vector<std::wstring> formKeys = {L"COND", L"-1", L"0", L"1", L"7"};
    const std::vector<std::wstring> markSections = {L"NOUN", L"INP_NOUN", L"COMMENT_NOUN"};
    const std::vector<std::wstring> markKeys = {L"(1)a", L"(2)b", L"(1){1}", L"(3)<^m*MOD(5)>"};

    size_t featureLines = 0;
    size_t titles = 0;
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        RandomText random(seed);
        MemoryTables tables;
        tables.Add(L"erInfoNounn.mds", RandomTable(random, infoSections, infoKeys));
        tables.Add(L"erInpNounn.mds", RandomTable(random, inputSections, inputKeys));
        tables.Add(L"rInpNounn.mds", RandomTable(random, inputSections, inputKeys));
        tables.Add(L"erOForms.mds", RandomTable(random, formSections, formKeys));
        tables.Add(L"rOForms.mds", RandomTable(random, formSections, formKeys));
        tables.Add(L"erForms.mds", RandomTable(random, formSections, formKeys));
        tables.Add(L"erTransMark.mds", RandomTable(random, formSections, formKeys));
        tables.Add(L"erTransMarkRef.mds", RandomTable(random, markSections, markKeys));

        CEntryDsc entry;
        CIPsp row;
        row.SetHeadword(random.Text(2));
        row.SetPartOfSpeech(1);
        row.codeString = random.CodeString();
        for (int i = random.Number(0, 3); i > 0; --i)
            row.sourceForms.push_back(random.Text(2));
        for (int k = random.Number(0, 3); k > 0; --k) {
            CEntryRecord record;
            record.word = random.Text(2);
            record.partOfSpeech = static_cast<int16_t>(random.Number(0, 2));
            record.codeString = random.CodeString();
            record.inGroup = random.Number(0, 1);
            record.dictionaryNames = {L"D"};
            for (int i = random.Number(0, 3); i > 0; --i)
                record.targetForms.push_back(random.Text(2));
            for (int i = random.Number(0, 2); i > 0; --i)
                record.extraCodeStrings.push_back(random.CodeString());
            for (int i = random.Number(0, 3); i > 0; --i)
                record.markCodes.push_back(static_cast<uint16_t>(random.Number(0, 0xFFFF)));
            row.records.push_back(record);
        }
        entry.rows.push_back(row);
        entry.SetSourceLanguage(1);
        entry.SetTargetLanguage(2);
        entry.mdsFolder = tables.folder;
        entry.SetCurrentRecord(random.Number(-1, 3));

        ModifierRecord modifiers;
        modifiers.modifierSet = random.Text(1);
        modifiers.code = 1;
        modifiers.AddSlot(random.Number(-1, 3), random.Number(-1, 1));
        entry.AddModifierRecord(modifiers, random.Number(0, 1) == 1, &tables);

        std::vector<FormLine> lines;
        entry.FillFormRecords(&lines, &tables);
        featureLines += lines.size();
        entry.FillFormRecordsEx(&lines, &tables);
        for (int k = -1; k <= 3; ++k) {
            titles += entry.GetRecordTitle(0, k, &tables).empty() ? 0 : 1;
            entry.LoadForms(0, k, random.Number(-3, 5), L"", random.Number(0, 1) == 1, &tables);
            entry.LoadOForms(0, k, random.Number(-3, 5), random.Text(3), &tables);
            entry.LookupForms(0, k, random.Number(-3, 5), L"", &tables);
            EvalConditionList(entry, random.Text(8), 0, k, random.Number(0, 1));
            ModifierRecord item;
            item.text = random.Text(3);
            item.modifierSet = random.Text(2);
            item.AddSlot(k, 0);
            BuildEntryMarkers(tables.folder, L"TransMarkRef", 1, entry, item, &tables, L"", random.Number(0, 1) == 1);
            if (const CEntryRecord* record = entry.Record(0, k))
                ResolveCanonicalForm(*record, random.Text(3));
        }
        std::wstring text = random.Text(10);
        CEDForm::NormalizeMarkup(text);
        CEDForm::MoveMarkedSegments(random.Text(10));
    }
    EXPECT_GT(featureLines, 50u) << "the random tables do reach the interpreters";
    EXPECT_GT(titles, 50u);
}

}  // namespace
