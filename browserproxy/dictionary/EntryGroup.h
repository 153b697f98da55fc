#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One translation line of the light view.
struct EntrySense {
  std::wstring text;
  std::wstring word;
  int32_t entry = 0;
  int32_t row = 0;
  int32_t record = 0;
  int32_t order = -1;
  std::wstring spare;
  std::wstring dictionaryName;
  std::wstring dictionaryKey;
  std::wstring comment;
  std::wstring marks;
  std::wstring inputMarks;
  std::wstring label;
  int32_t priority = 0;
  int32_t weight = 0;
  int32_t dictionaryNumber = 0;
  int32_t dictionaryKind = 0;
};

// One title line of the light view with its translations.
struct EntryGroup {
  std::wstring title;
  std::wstring headword;
  std::wstring marks;  // "#" + the row's remaining marks, or empty
  std::vector<EntrySense> senses;
  int32_t row = 0;
  int32_t entry = 0;
  std::wstring caption;
  int32_t rowValue = 0;
  std::wstring comment;
  std::wstring extra;
  int32_t flag = 0;
};
