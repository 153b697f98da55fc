// Text rules of the form interpreters: marked words, marked segments, form
// pieces and usable forms.
#include <gtest/gtest.h>

#include "browserproxy/dictionary/EDForm.h"

namespace {

TEST(NormalizeMarkup, MovesTheMarkedWord)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"x <y z", L"y  x  z"},
        {L"x >y z", L"x  z y "},
        {L"plain text", L"plain text"},
        {L"<", L"  "},
        {L"a {b <c} d", L"{c} } a {b  d"},  // inside braces: the word gets braces of its own
        {L"[#y#]x <y z", L"y  x  z"},       // the marked word equals the block
        {L"[#q#]x <y z", L"x y z"},         // it does not: only the marker goes
        {L"[#y", L"[#y"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        std::wstring text = cases[i].first;
        CEDForm::NormalizeMarkup(text);
        EXPECT_EQ(std::wstring(cases[i].second), text) << "case " << i;
    }
}

TEST(MoveMarkedSegments, MovesSegmentsInFrontOfTheirWord)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"big word#pre]", L"big preword]"},
        {L"[word#pre]", L"[pre word]"},
        {L"word#", L"word"},
        {L"#", L""},
        {L"a;;b", L"a;b"},
        {L"x#y#z]", L"y#zx]"},          // a "#" inside a moved segment stays
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(std::wstring(cases[i].second), CEDForm::MoveMarkedSegments(cases[i].first)) << "case " << i;
}

TEST(FormPieces, SplitAndUsable)
{
    std::vector<std::wstring> pieces;
    CEDForm::SplitFormPieces(L"{#went#}{#gone#} {#}{#open", pieces);
    EXPECT_EQ((std::vector<std::wstring>{L"went", L"gone", L""}), pieces);

    EXPECT_FALSE(CEDForm::IsUsableForm(L""));
    EXPECT_FALSE(CEDForm::IsUsableForm(L"&"));
    EXPECT_FALSE(CEDForm::IsUsableForm(L" "));
    EXPECT_FALSE(CEDForm::IsUsableForm(L"@"));
    EXPECT_TRUE(CEDForm::IsUsableForm(L"@@"));
}

TEST(FormLines, AddLineKeepsOneLinePerCommentAndValue)
{
    std::vector<FormLine> lines;
    FormLine line;
    line.value = L"v";
    line.caption = L"one";
    CEDForm::AddLine(lines, line);
    line.caption = L"two";
    CEDForm::AddLine(lines, line);
    EXPECT_EQ(1u, lines.size());
    line.comment = L"c";
    CEDForm::AddLine(lines, line);
    EXPECT_EQ(2u, lines.size());
}

TEST(FormLines, FreshLineDefaults)
{
    const FormLine line;
    EXPECT_EQ(1, line.formatEnd);
    EXPECT_EQ(1, line.bullet);
    EXPECT_EQ(1, line.line);
    EXPECT_EQ(0, line.joined);
    EXPECT_EQ(-1, line.unionTarget);
}

struct KeyedRecord {
    int a;
    int b;
    std::wstring key;
    std::wstring text;
};

TEST(FormLines, AddUniqueByKey)
{
    std::vector<KeyedRecord> records;
    AddUniqueByKey(records, KeyedRecord{0, 0, L"k", L"first"});
    AddUniqueByKey(records, KeyedRecord{0, 0, L"k", L"second"});
    AddUniqueByKey(records, KeyedRecord{0, 0, L"K", L"third"});
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ(L"first", records[0].text);
}

}  // namespace
