#include <gtest/gtest.h>

#include <set>

#include "browserproxy/dictionary/ConditionLanguage.h"
#include "browserproxy/dictionary/EntryDsc.h"

namespace {

// Character 2 has the code 3, character 3 is '0', character 4 is 'A' (65),
// character 5 is above 127.
const std::wstring kCode = std::wstring(L"1") + wchar_t(3) + L"0A" + wchar_t(0xE9);

ConditionSubject Subject(std::wstring code, std::set<int> modifiers = {})
{
    return ConditionSubject{std::move(code), [modifiers](int n) { return modifiers.count(n) > 0; }};
}

struct Case {
    const wchar_t* condition;
    bool expected;
};

TEST(ConditionLanguage, TruthTable)
{
    const ConditionSubject subject = Subject(kCode, {7, 12});
    const Case cases[] = {
        {L"", true},                // empty condition
        {L"|", false},              // first alternative empty
        {L"|2(3)", false},          // empty alternative before a bar
        {L"2(4)|", true},           // empty last alternative
        {L"2(3)", true},            // character 2 has the code 3
        {L"2(4)", false},
        {L"!2(3)", false},
        {L"!2(4)", true},
        {L"3(0)", true},            // the character '0' reads as 0
        {L"3(48)", false},
        {L"4(65)", true},
        {L"5(0)", true},            // 128 and above read as 0
        {L"6(0)", true},            // length + 1 reads the terminator
        {L"7(0)", false},           // beyond the code string
        {L"!7(0)", false},          // ... also when negated
        {L"0(0)", false},           // before the code string
        {L"-3(0)", false},
        {L"99999999999(0)", false},
        {L"MOD(7)", true},
        {L"!MOD(7)", false},
        {L"MOD(8)", false},
        {L"!MOD(8)", true},
        {L"12_MOD", true},          // number before "MOD", less one character
        {L"!12_MOD", false},
        {L"MOD(x)", false},         // no digits read as modifier 0
        {L"2(3)&MOD(7)", true},
        {L"2(3)&MOD(8)", false},
        {L"2(4)&", false},          // the false term decides first
        {L"2(3)&", true},           // "&" at the end stops with true
        {L"&2(4)", true},           // "&" at the start stops with true
        {L"2(3)&&2(4)", true},      // two "&" in a row
        {L"2(4)|2(3)", true},
        {L"2(4)|3(1)", false},
        {L"2(4)||2(3)", false},     // empty alternative in the middle
        {L"abc", false},            // neither a modifier nor a character test
        {L"!abc", false},
        {L"2(3", false},            // no closing parenthesis
        {L"2)3(", false},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].expected, EvaluateConditionList(cases[i].condition, subject))
            << "case " << i << ": " << std::string(cases[i].condition, cases[i].condition + wcslen(cases[i].condition));
}

TEST(ConditionLanguage, EmptyCodeStringFailsCharacterTestsEvenNegated)
{
    const ConditionSubject subject = Subject(L"", {7});
    EXPECT_FALSE(EvaluateConditionList(L"1(0)", subject));
    EXPECT_FALSE(EvaluateConditionList(L"!1(0)", subject));
    EXPECT_TRUE(EvaluateConditionList(L"MOD(7)", subject));
}

CEntryDsc EntryWithMarks()
{
    CEntryDsc entry;
    CIPsp row;
    CEntryRecord record;
    record.codeString = L"12";
    record.markCodes = {uint16_t((100 << 8) | 12), uint16_t((99 << 8) | 13)};
    row.records.push_back(record);
    entry.rows.push_back(row);
    return entry;
}

TEST(ConditionLanguage, ListModeOneTestsTheRecordsMarkCodes)
{
    const CEntryDsc entry = EntryWithMarks();
    EXPECT_TRUE(EvalConditionList(entry, L"MOD(12)", 0, 0, 1));
    EXPECT_FALSE(EvalConditionList(entry, L"MOD(13)", 0, 0, 1)) << "high byte 99 is no modifier mark";
    EXPECT_FALSE(EvalConditionList(entry, L"MOD(12)", 0, 0, 0)) << "no modifier record yet";
    EXPECT_TRUE(EvalConditionList(entry, L"1(49)", 0, 0, 0));
}

TEST(ConditionLanguage, ListModeZeroTestsTheEntrysModifierRecords)
{
    CEntryDsc entry = EntryWithMarks();
    ModifierRecord record;
    record.modifierSet = std::wstring(1, wchar_t(5));
    record.AddSlot(0, 0);
    entry.AddModifierRecord(record, true, nullptr);
    EXPECT_TRUE(EvalConditionList(entry, L"MOD(5)", 0, 0, 0));
    EXPECT_FALSE(EvalConditionList(entry, L"!MOD(5)", 0, 0, 0));
    EXPECT_FALSE(EvalConditionList(entry, L"MOD(6)", 0, 0, 0));
}

TEST(ConditionLanguage, BadRowOrRecordIsFalse)
{
    const CEntryDsc entry = EntryWithMarks();
    const int bad[][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {32767, 32767}};
    for (size_t i = 0; i < std::size(bad); ++i) {
        EXPECT_FALSE(EvalConditionList(entry, L"!1(9)", bad[i][0], bad[i][1], 0)) << "case " << i;
        EXPECT_FALSE(EvalConditionList(entry, L"", bad[i][0], bad[i][1], 1)) << "case " << i;
        EXPECT_FALSE(entry.HasModifier(bad[i][0], bad[i][1], 5)) << "case " << i;
    }
}

}  // namespace
