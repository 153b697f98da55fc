#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kernelstandin {

// Finds every whole-word, case-insensitive occurrence of many words in a
// text in one pass (an Aho-Corasick automaton over the lower-case words).
class KeywordMatcher {
 public:
  // Adds a word; its id is the number of words added before it.
  size_t Add(std::wstring_view word);
  size_t Size() const { return lengths_.size(); }
  // Hits of each word id in the text (whole words only).
  std::vector<unsigned> Count(std::wstring_view text) const;

 private:
  void Build() const;
  int Next(int state, wchar_t c) const;

  struct Node {
    int fail = 0;
    int output = -1;      // a word ending here, or -1
    int outputLink = -1;  // the next node on the failure chain that ends a word
  };
  mutable std::vector<Node> nodes_{Node{}};
  mutable std::unordered_map<uint64_t, int> edges_;
  // The root's moves for every character, filled when the automaton is
  // built: most characters of a text leave from the root.
  mutable std::vector<int> rootMoves_;
  std::vector<std::pair<size_t, size_t>> duplicates_;  // (word id, id of the first equal word)
  std::vector<size_t> lengths_;
  std::vector<int> firstOfWord_;  // word id -> id of the first equal word
  mutable bool built_ = false;
};

}  // namespace kernelstandin
