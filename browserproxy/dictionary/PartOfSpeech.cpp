#include "PartOfSpeech.h"

#include <windows.h>

#include <iterator>

#include "platform/win/ResourceInstance.h"

namespace {

struct CodeName {
    int code;
    const wchar_t* name;
};

constexpr CodeName kLetters[] = {
    {1, L"e"}, {2, L"r"}, {4, L"g"}, {8, L"f"}, {16, L"i"}, {32, L"s"}, {64, L"p"}, {256, L"l"},
};

constexpr CodeName kNames[] = {
    {1, L"Noun"},     {2001, L"Noun"},   {2, L"Adj"},       {2002, L"Adj"},      {3, L"Verb"},
    {2003, L"Verb"},  {4, L"Num"},       {5, L"Part"},      {100, L"Adv"},       {2100, L"Adv"},
    {101, L"Pron"},   {102, L"Conj"},    {103, L"Prepos"},  {104, L"Particle"},  {105, L"Praedik"},
    {106, L"Punct"},  {107, L"Determ"},  {108, L"Art"},     {109, L"Quant"},     {110, L"Comp"},
};

struct CodeId {
    int code;
    unsigned id;
};

constexpr CodeId kCaptionIds[] = {
    {1, 142},   {2, 155},   {3, 129},   {4, 141},   {5, 140},   {100, 154}, {101, 135},
    {102, 150}, {103, 136}, {104, 139}, {105, 138}, {106, 133}, {107, 147}, {108, 153},
    {109, 132}, {110, 151}, {111, 149}, {112, 131}, {113, 143}, {114, 145}, {115, 148},
    {116, 137}, {117, 128}, {118, 134}, {1111, 152},
};

constexpr unsigned kPhraseCaptionId = 144;
constexpr unsigned kUnknownCaptionId = 130;

const wchar_t* Lookup(const CodeName* begin, const CodeName* end, int code)
{
    for (const CodeName* item = begin; item != end; ++item) {
        if (item->code == code)
            return item->name;
    }
    return L"";
}

}  // namespace

const int16_t kPartOfSpeechDisplayOrder[22] = {1,   2,   100, 3,   5,   4,   101, 102, 103, 104, 105,
                                               106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 1000};

std::wstring LanguageLetter(uint32_t language)
{
    return Lookup(std::begin(kLetters), std::end(kLetters), static_cast<int>(language));
}

std::wstring PartOfSpeechName(int code)
{
    return Lookup(std::begin(kNames), std::end(kNames), code);
}

unsigned PartOfSpeechCaptionId(int code)
{
    if (code == 0)
        return 0;
    if (code == 2001 || code == 2002 || code == 2003 || code == 2100)
        return kPhraseCaptionId;
    if (code >= 2001)
        code -= 2000;
    for (const CodeId& item : kCaptionIds) {
        if (item.code == code)
            return item.id;
    }
    return kUnknownCaptionId;
}

std::wstring GetPartOfSpeechCaption(int16_t code)
{
    const unsigned id = PartOfSpeechCaptionId(code);
    if (id == 0)
        return {};
    return platform::LoadResourceString(id);
}
