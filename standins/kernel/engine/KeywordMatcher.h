#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kernelstandin {

// Finds every whole-word, case-insensitive occurrence of many words in a
// text: a trie of the lower-case words, walked from each word start of the
// text. One table maps each character to its class (the lower-case letter it
// stands for, 0 when no word holds it) and tells whether it is a word
// character; the trie's moves are arrays indexed or searched by class. A
// count costs the text and the words it hits, not the whole list.
class KeywordMatcher {
 public:
  struct Hit {
    size_t word;  // the id Add gave
    unsigned count;
  };

  // Adds a word; its id is the number of words added before it.
  size_t Add(std::wstring_view word);
  size_t Size() const { return wordCount_; }
  // The words found in the text as whole words, each with its count, in no
  // particular order; equal words are each reported. Words not found are absent.
  std::vector<Hit> Count(std::wstring_view text);

 private:
  static constexpr uint32_t kWordChar = 0x80000000u;
  static constexpr uint32_t kClassMask = 0x7FFFFFFFu;

  // The trie as words are added: children as sibling chains of characters.
  struct GrowingNode {
    wchar_t c = 0;
    int32_t firstChild = -1;
    int32_t nextSibling = -1;
    int32_t word = -1;  // the first word ending here
  };
  // The trie for counting, in breadth-first order.
  struct Node {
    uint32_t firstMove = 0;
    uint32_t moveCount = 0;
    int32_t denseRow = -1;  // a row of moves indexed by class, or -1
    int32_t word = -1;
  };

  void Build();
  int32_t Move(const Node& node, uint32_t cls) const;
  uint32_t CharClass(wchar_t c) const { return classes_[static_cast<uint16_t>(c)]; }

  std::vector<GrowingNode> growing_{GrowingNode{}};
  std::vector<int32_t> rootChildren_;  // the growing root's child per character, -1 when none
  std::vector<int32_t> sameWord_;      // word id -> the next id of an equal word, or -1
  size_t wordCount_ = 0;
  std::wstring lowered_;  // the word being added, in lower case

  bool built_ = false;
  std::vector<uint32_t> classes_;  // character -> class | kWordChar
  uint32_t classCount_ = 0;        // classes 1 to classCount_ exist
  std::vector<Node> nodes_;
  std::vector<uint32_t> moveClasses_;  // per node, its moves sorted by class
  std::vector<int32_t> moveTargets_;
  std::vector<int32_t> denseRows_;     // rows of classCount_ + 1 targets, 0 = no move
  std::vector<unsigned> counts_;       // per node, hits of the running count
  std::vector<int32_t> hitNodes_;      // nodes whose count the running count raised
};

}  // namespace kernelstandin
