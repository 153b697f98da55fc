#pragma once
#include <cstdint>
#include <string>

// Letter of a language flag in table names ("e", "r", ...); "" for others.
std::wstring LanguageLetter(uint32_t language);
// Name of a part-of-speech code in table names ("Noun", "Adj", ...); "".
std::wstring PartOfSpeechName(int code);
// String resource id of a part-of-speech caption; 0 for code 0.
unsigned PartOfSpeechCaptionId(int code);
// Caption of the code in the interface language; "" for code 0.
std::wstring GetPartOfSpeechCaption(int16_t code);

// The order in which the views list readings by part of speech; the last
// value, 1000, ends it.
extern const int16_t kPartOfSpeechDisplayOrder[22];
