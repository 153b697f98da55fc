#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

namespace regex_detail {
struct Program;
}

// A pattern that does not compile; Position() is the offset in the pattern
// where the parser stopped.
class RegexError : public std::runtime_error {
 public:
  RegexError(const std::string& what, size_t position)
      : std::runtime_error(what), position_(position) {}
  size_t Position() const { return position_; }

 private:
  size_t position_;
};

// A stretch of the searched text: [start, end). Unmatched spans hold npos.
struct RegexSpan {
  static constexpr size_t npos = static_cast<size_t>(-1);
  size_t start = npos;
  size_t end = npos;

  bool Matched() const { return start != npos; }
  size_t Length() const { return Matched() ? end - start : 0; }
  std::wstring_view In(std::wstring_view text) const {
    return Matched() ? text.substr(start, end - start) : std::wstring_view();
  }
};

// One successful match: the whole match and the {} groups, numbered from 0
// in the order of their opening braces. A group inside a repetition holds
// its last iteration; a group that took no part holds an unmatched span.
class RegexMatch {
 public:
  explicit RegexMatch(std::vector<RegexSpan> spans) : spans_(std::move(spans)) {}
  RegexSpan Whole() const { return spans_[0]; }
  size_t GroupCount() const { return spans_.size() - 1; }
  RegexSpan Group(size_t index) const {
    return index + 1 < spans_.size() ? spans_[index + 1] : RegexSpan();
  }

 private:
  std::vector<RegexSpan> spans_;
};

// A regular expression in the syntax of the classic ATL matcher:
//   .  any character          [a-z] [^"'] character classes
//   {} capture group          () grouping            | alternation
//   * + ? greedy, *? +? ?? lazy repetition           ^ $ start and end of text
//   !x  at this place x does not match (zero width)
//   \x  the character x, except the abbreviations
//       \a alphanumeric  \b blank (space or tab)  \c letter  \d digit
//       \h hex digit  \n line break  \q quoted string  \w word (letters)
//       \z integer
//       (\ followed by a digit, a back-reference, is refused: RegexError)
//       inside [] the one-character abbreviations \a \b \c \d \h add their
//       sets ([\"'\b]: a double quote, an apostrophe or a blank)
// Matching simulates the automaton for all threads at once (no
// backtracking): time grows linearly with the text for every pattern
// without "!" (a "!" sub-pattern is re-run at each place it is reached).
// Among the possible matches the one found is the one a backtracking matcher
// would report: the leftmost start, then greedy/lazy preference in order.
class Regex {
 public:
  enum class Case { Sensitive, Insensitive };

  // Throws RegexError for a pattern that does not compile.
  explicit Regex(std::wstring_view pattern, Case caseMode = Case::Sensitive);
  // The same without an exception; error receives the reason when given.
  static std::optional<Regex> TryCompile(std::wstring_view pattern,
                                         Case caseMode = Case::Sensitive,
                                         std::string* error = nullptr);

  // A match that starts exactly at position.
  std::optional<RegexMatch> MatchAt(std::wstring_view text, size_t position = 0) const;
  // The leftmost match that starts at or after position.
  std::optional<RegexMatch> Search(std::wstring_view text, size_t position = 0) const;

  size_t GroupCount() const;

 private:
  std::optional<RegexMatch> Run(std::wstring_view text, size_t position, bool anchored) const;
  std::shared_ptr<const regex_detail::Program> program_;
};

}  // namespace platform
