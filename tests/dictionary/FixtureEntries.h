#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "browserproxy/dictionary/EntryDsc.h"

// The dictionary entries of the test fixture, filled the way the word
// popup's translation-variant builder fills them: rows and records first,
// the kernel's form blocks through ParseFormBlocks, AttachForms last.
namespace fixture {

constexpr uint32_t kEnglishToRussian = (2u << 16) | 1u;
constexpr uint32_t kRussianToEnglish = (1u << 16) | 2u;

// Mark code of modifier `number` placed before word `word` of the text.
constexpr uint16_t WordMark(int word, int number)
{
    return static_cast<uint16_t>(((128 + word) << 8) | number);
}

// "table": a noun with plural forms, translated in the general and in the
// computer dictionary (стол, таблица).
CEntryDsc Table();
// "go": a verb with its forms; two translations of one group (идти, ходить).
CEntryDsc Go();
// "big": an adjective (большой).
CEntryDsc Big();
// "cool": a usage mark (colloquial, modifier 5) on its first translation
// (клёвый), none on the second (прохладный).
CEntryDsc Cool();
// "byte": only in the computer dictionary (байт).
CEntryDsc Byte();
// "стол", Russian to English: a noun (table).
CEntryDsc Stol();

// Windows path of the fixture's table sources, with a final backslash.
std::wstring TableSourceFolder();

}  // namespace fixture
