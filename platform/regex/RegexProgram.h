#pragma once
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

// The compiled form of a pattern: a small instruction list that the matcher
// runs as a Pike virtual machine.
namespace platform::regex_detail {

enum class Op : uint8_t {
  Char,      // one character: ch, or its other case alt
  Any,       // any character
  Class,     // a character of classes[arg1]
  Split,     // go on at arg1 (preferred) and at arg2
  Jump,      // go on at arg1
  Save,      // record the position in capture slot arg1
  Begin,     // at the start of the text
  End,       // at the end of the text
  NotAhead,  // the sub-program at arg1 does not match here
  Match,
};

struct Instruction {
  Op op = Op::Match;
  wchar_t ch = 0;
  wchar_t alt = 0;
  int arg1 = 0;
  int arg2 = 0;
};

struct CharClass {
  std::vector<std::pair<wchar_t, wchar_t>> ranges;
  bool negated = false;
  bool Contains(wchar_t c, bool ignoreCase) const;
};

struct Program {
  std::vector<Instruction> code;
  std::vector<CharClass> classes;
  int groupCount = 0;  // {} groups, without the whole match
  bool ignoreCase = false;
};

// Throws RegexError.
Program CompileProgram(std::wstring_view pattern, bool ignoreCase);

wchar_t ToLower(wchar_t c);
wchar_t ToUpper(wchar_t c);

}  // namespace platform::regex_detail
