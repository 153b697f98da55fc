#pragma once
#include <functional>
#include <string>

class CEntryDsc;

// The condition language of the grammar tables: alternatives separated by
// "|", terms by "&", "!" negates a term, "MOD(n)" tests modifier n and
// "k(v)" tests that character k (1-based) of a grammar code string has the
// value v.
struct ConditionSubject {
    // The code string the character tests read.
    std::wstring codeString;
    // The modifier test; none: every modifier test is false.
    std::function<bool(int number)> hasModifier;
};

bool EvaluateConditionList(const std::wstring& condition, const ConditionSubject& subject);
bool EvaluateCondition(const std::wstring& alternative, const ConditionSubject& subject);

// The entry's conditions on a translation record: character tests on the
// record's code string; modifier tests on the entry's modifier records
// (list mode 0) or on the record's mark codes (list mode 1). A bad row or
// record makes every test false.
bool EvalConditionList(const CEntryDsc& entry, const std::wstring& condition, int row, int record, int listMode);
bool EvalCondition(const CEntryDsc& entry, const std::wstring& alternative, int row, int record, int listMode);

// _wtoi of a piece of text: leading blanks, a sign, digits; 0 when none.
int ReadDecimal(const std::wstring& text);
