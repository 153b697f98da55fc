#pragma once
#include <string>

// A run of consecutive translations from one dictionary; also the source
// record of one dictionary marker (key and name of the dictionary).
struct DictionaryRun {
  int first = 0;
  int last = 0;  // exclusive
  std::wstring key;
  std::wstring name;
  int visible = 0;
};
