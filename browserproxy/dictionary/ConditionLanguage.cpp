#include "ConditionLanguage.h"

#include <cwchar>

#include "EntryDsc.h"

namespace {

bool EvaluateTerm(const std::wstring& term, const ConditionSubject& subject)
{
    const bool negated = !term.empty() && term[0] == L'!';
    const size_t start = negated ? 1 : 0;

    const size_t mod = term.find(L"MOD");
    if (mod != std::wstring::npos) {
        std::wstring number;
        if (mod == start) {
            // "MOD(n)": between "MOD(" and the last character
            const size_t first = mod + 4;
            if (term.size() > first + 1)
                number = term.substr(first, term.size() - 1 - first);
        } else if (mod >= start + 1) {
            // "n?MOD": before "MOD", less the character just before it
            number = term.substr(start, mod - 1 - start);
        }
        const bool has = subject.hasModifier && subject.hasModifier(ReadDecimal(number));
        return negated ? !has : has;
    }

    const size_t open = term.find(L'(');
    const size_t close = open == std::wstring::npos ? std::wstring::npos : term.find(L')', open);
    if (close == std::wstring::npos)
        return false;  // neither a modifier nor a character test
    if (subject.codeString.empty())
        return false;
    const int position = ReadDecimal(term.substr(start, open > start ? open - start : 0));
    const int expected = ReadDecimal(term.substr(open + 1, close - open - 1));
    const int length = static_cast<int>(subject.codeString.size());
    if (position < 1 || position > length + 1)
        return false;  // beyond the code string: the test does not apply
    int value = position == length + 1 ? 0 : (subject.codeString[position - 1] & 0xFF);
    if (value == L'0' || value >= 128)
        value = 0;
    const bool holds = value == expected;
    return negated ? !holds : holds;
}

}  // namespace

int ReadDecimal(const std::wstring& text)
{
    return static_cast<int>(std::wcstol(text.c_str(), nullptr, 10));
}

bool EvaluateCondition(const std::wstring& alternative, const ConditionSubject& subject)
{
    size_t start = 0;
    for (;;) {
        const size_t amp = alternative.find(L'&', start);
        const std::wstring term =
            alternative.substr(start, amp == std::wstring::npos ? std::wstring::npos : amp - start);
        if (term.empty())
            return true;  // nothing left to test
        if (!EvaluateTerm(term, subject))
            return false;
        if (amp == std::wstring::npos)
            return true;
        start = amp + 1;
    }
}

bool EvaluateConditionList(const std::wstring& condition, const ConditionSubject& subject)
{
    size_t start = 0;
    for (;;) {
        const size_t bar = condition.find(L'|', start);
        if (bar == std::wstring::npos)
            return EvaluateCondition(condition.substr(start), subject);
        const std::wstring alternative = condition.substr(start, bar - start);
        if (alternative.empty())
            return false;
        if (EvaluateCondition(alternative, subject))
            return true;
        start = bar + 1;
    }
}

namespace {

ConditionSubject EntrySubject(const CEntryDsc& entry, int row, int record, int listMode)
{
    ConditionSubject subject;
    const CEntryRecord* translation = entry.Record(row, record);
    if (!translation) {
        subject.hasModifier = [](int) { return false; };
        return subject;
    }
    subject.codeString = translation->codeString;
    if (listMode == 1) {
        subject.hasModifier = [translation](int number) {
            for (uint16_t code : translation->markCodes) {
                if ((code >> 8) >= 100 && static_cast<int>(code & 0xFF) == number)
                    return true;
            }
            return false;
        };
    } else {
        subject.hasModifier = [&entry, row, record](int number) {
            return entry.HasModifier(row, record, static_cast<uint16_t>(number));
        };
    }
    return subject;
}

}  // namespace

bool EvalConditionList(const CEntryDsc& entry, const std::wstring& condition, int row, int record, int listMode)
{
    if (!entry.Record(row, record))
        return false;
    return EvaluateConditionList(condition, EntrySubject(entry, row, record, listMode));
}

bool EvalCondition(const CEntryDsc& entry, const std::wstring& alternative, int row, int record, int listMode)
{
    if (!entry.Record(row, record))
        return false;
    return EvaluateCondition(alternative, EntrySubject(entry, row, record, listMode));
}
