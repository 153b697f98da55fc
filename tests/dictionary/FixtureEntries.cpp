#include "FixtureEntries.h"

namespace fixture {

namespace {

const std::wstring kGeneral = L"General dictionary";
const std::wstring kComputer = L"Computer dictionary";

CIPsp Row(const std::wstring& headword, int16_t partOfSpeech, const std::wstring& codeString)
{
    CIPsp row;
    row.SetHeadword(headword);
    row.SetPartOfSpeech(partOfSpeech);
    row.codeString = codeString;
    return row;
}

CEntryRecord Translation(const std::wstring& word, int16_t partOfSpeech, const std::wstring& codeString,
                         const std::wstring& dictionary, const std::wstring& key)
{
    CEntryRecord record;
    record.word = word;
    record.partOfSpeech = partOfSpeech;
    record.codeString = codeString;
    record.dictionaryNames = {dictionary};
    record.dictionaryKeys = {key};
    return record;
}

std::wstring Block(const std::wstring& name, const std::vector<std::wstring>& forms)
{
    std::wstring text = name + L"\n";
    for (const std::wstring& form : forms)
        text += form + L"\n";
    return text + L"##\n";
}

void Finish(CEntryDsc& entry, uint32_t direction, const std::wstring& sourceBlocks, const std::wstring& targetBlocks)
{
    const uint16_t source = static_cast<uint16_t>(direction & 0xFFFF);
    const uint16_t target = static_cast<uint16_t>(direction >> 16);
    entry.SetSourceLanguage(source);
    entry.SetTargetLanguage(target);
    ParseFormBlocks(source, sourceBlocks, entry.sourceFormMap);
    ParseFormBlocks(target, targetBlocks, entry.targetFormMap);
    entry.AttachForms(direction);
}

const std::vector<std::wstring> kStol = {L"стол", L"стола", L"столу", L"стол", L"столом", L"столе",
                                         L"столы", L"столов", L"столам", L"столы", L"столами", L"столах"};

}  // namespace

CEntryDsc Table()
{
    CEntryDsc entry;
    entry.firstText = L"table";
    CIPsp row = Row(L"table", 1, L"1");
    row.records.push_back(Translation(L"стол", 1, L"1100", kGeneral, L"general"));
    row.records.push_back(Translation(L"таблица", 1, L"2100", kComputer, L"computer"));
    entry.rows.push_back(row);
    Finish(entry, kEnglishToRussian, Block(L"table#1", {L"table", L"tables"}),
           Block(L"стол#1", kStol) +
               Block(L"таблица#1", {L" таблица", L"таблицы", L"таблице", L"таблицу", L"таблицей", L"таблице",
                                    L"таблицы", L"таблиц", L"таблицам", L"таблицы", L"таблицами", L"таблицах"}));
    return entry;
}

CEntryDsc Go()
{
    CEntryDsc entry;
    entry.firstText = L"go";
    CIPsp row = Row(L"go", 3, L"3");
    CEntryRecord go = Translation(L"идти", 3, L"1100", kGeneral, L"general");
    go.inGroup = 1;
    CEntryRecord walk = Translation(L"ходить", 3, L"1100", kGeneral, L"general");
    walk.inGroup = 1;
    row.records = {go, walk};
    entry.rows.push_back(row);
    Finish(entry, kEnglishToRussian, Block(L"go#3", {L"go", L"goes", L"went", L"gone", L"going"}),
           Block(L"идти#3", {L"идти", L"иду", L"идёшь", L"идёт", L"идём", L"идёте", L"идут", L"шёл", L"шла",
                              L"шло", L"шли"}) +
               Block(L"ходить#3", {L"ходить", L"хожу", L"ходишь", L"ходит", L"ходим", L"ходите", L"ходят",
                                   L"ходил", L"ходила", L"ходило", L"ходили"}));
    return entry;
}

CEntryDsc Big()
{
    CEntryDsc entry;
    entry.firstText = L"big";
    CIPsp row = Row(L"big", 2, L"2");
    row.records.push_back(Translation(L"большой", 2, L"1", kGeneral, L"general"));
    entry.rows.push_back(row);
    Finish(entry, kEnglishToRussian, Block(L"big#2", {L"big", L"bigger", L"biggest"}),
           Block(L"большой#2", {L"большой", L"большая", L"большое", L"большие", L"больше"}));
    return entry;
}

CEntryDsc Cool()
{
    CEntryDsc entry;
    entry.firstText = L"cool";
    CIPsp row = Row(L"cool", 2, L"2");
    CEntryRecord slang = Translation(L"клёвый", 2, L"1", kGeneral, L"general");
    slang.markCodes = {5, WordMark(0, 5)};
    slang.comment = L"about people";
    row.records.push_back(slang);
    row.records.push_back(Translation(L"прохладный", 2, L"1", kGeneral, L"general"));
    entry.rows.push_back(row);
    Finish(entry, kEnglishToRussian, Block(L"cool#2", {L"cool", L"cooler", L"coolest"}),
           Block(L"клёвый#2", {L"клёвый", L"клёвая"}) + Block(L"прохладный#2", {L"прохладный", L"прохладная"}));
    return entry;
}

CEntryDsc Byte()
{
    CEntryDsc entry;
    entry.firstText = L"byte";
    CIPsp row = Row(L"byte", 1, L"1");
    row.records.push_back(Translation(L"байт", 1, L"1100", kComputer, L"computer"));
    entry.rows.push_back(row);
    Finish(entry, kEnglishToRussian, Block(L"byte#1", {L"byte", L"bytes"}),
           Block(L"байт#1", {L"байт", L"байта", L"байту", L"байт", L"байтом", L"байте", L"байты"}));
    return entry;
}

CEntryDsc Stol()
{
    CEntryDsc entry;
    entry.firstText = L"стол";
    CIPsp row = Row(L"стол", 1, L"1100");
    row.records.push_back(Translation(L"table", 1, L"11", kGeneral, L"general"));
    entry.rows.push_back(row);
    Finish(entry, kRussianToEnglish, Block(L"стол#1", kStol), Block(L"table#1", {L"table", L"tables"}));
    return entry;
}

std::wstring TableSourceFolder()
{
    return FIXTURE_TABLE_SOURCES;
}

}  // namespace fixture
