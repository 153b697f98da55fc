#include "KeywordMatcher.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "TextUtil.h"

namespace kernelstandin {

namespace {

// Nodes with more moves than this, and dense enough, get a row indexed by class.
constexpr uint32_t kMostSearchedMoves = 8;

}  // namespace

size_t KeywordMatcher::Add(std::wstring_view word) {
  std::wstring& lower = lowered_;
  lower.assign(word);
  if (!lower.empty()) CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
  const size_t id = wordCount_++;
  sameWord_.push_back(-1);
  built_ = false;
  if (lower.empty()) return id;  // an empty word matches nothing
  auto addChild = [&](int32_t parent, wchar_t c) {
    const int32_t child = static_cast<int32_t>(growing_.size());
    GrowingNode node;
    node.c = c;
    node.nextSibling = growing_[static_cast<size_t>(parent)].firstChild;
    growing_.push_back(node);
    growing_[static_cast<size_t>(parent)].firstChild = child;
    return child;
  };
  if (rootChildren_.empty()) rootChildren_.assign(65536, -1);
  int32_t at = 0;
  for (wchar_t c : lower) {
    int32_t child;
    if (at == 0) {
      child = rootChildren_[static_cast<uint16_t>(c)];
      if (child < 0) rootChildren_[static_cast<uint16_t>(c)] = child = addChild(0, c);
    } else {
      child = growing_[static_cast<size_t>(at)].firstChild;
      while (child >= 0 && growing_[static_cast<size_t>(child)].c != c)
        child = growing_[static_cast<size_t>(child)].nextSibling;
      if (child < 0) child = addChild(at, c);
    }
    at = child;
  }
  int32_t& first = growing_[static_cast<size_t>(at)].word;
  if (first < 0) {
    first = static_cast<int32_t>(id);
  } else {
    // An equal word shares the first one's hits.
    int32_t last = first;
    while (sameWord_[static_cast<size_t>(last)] >= 0) last = sameWord_[static_cast<size_t>(last)];
    sameWord_[static_cast<size_t>(last)] = static_cast<int32_t>(id);
  }
  return id;
}

void KeywordMatcher::Build() {
  // Classes: one per character the words hold, in order of first appearance.
  std::vector<uint32_t> classOfChar(65536, 0);
  classCount_ = 0;
  for (size_t i = 1; i < growing_.size(); ++i) {
    uint32_t& cls = classOfChar[static_cast<uint16_t>(growing_[i].c)];
    if (cls == 0) cls = ++classCount_;
  }
  // Every character of a text takes the class of its lower-case form.
  std::wstring lower(65535, L'\0');
  for (size_t c = 1; c <= 65535; ++c) lower[c - 1] = static_cast<wchar_t>(c);
  CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
  classes_.assign(65536, 0);
  for (size_t c = 1; c <= 65535; ++c)
    classes_[c] = classOfChar[static_cast<uint16_t>(lower[c - 1])] |
                  (IsWordChar(static_cast<wchar_t>(c)) ? kWordChar : 0u);

  // The trie in breadth-first order, each node's moves sorted by class.
  nodes_.assign(1, Node{});
  moveClasses_.clear();
  moveTargets_.clear();
  denseRows_.clear();
  std::vector<int32_t> order{0};  // growing node of each counting node
  std::vector<std::pair<uint32_t, int32_t>> children;
  for (size_t next = 0; next < order.size(); ++next) {
    const GrowingNode& from = growing_[static_cast<size_t>(order[next])];
    children.clear();
    for (int32_t child = from.firstChild; child >= 0; child = growing_[static_cast<size_t>(child)].nextSibling)
      children.emplace_back(classOfChar[static_cast<uint16_t>(growing_[static_cast<size_t>(child)].c)], child);
    std::sort(children.begin(), children.end());
    Node node;
    node.word = from.word;
    node.firstMove = static_cast<uint32_t>(moveClasses_.size());
    node.moveCount = static_cast<uint32_t>(children.size());
    for (const auto& [cls, child] : children) {
      moveClasses_.push_back(cls);
      moveTargets_.push_back(static_cast<int32_t>(order.size()));
      order.push_back(child);
    }
    if (node.moveCount > kMostSearchedMoves && node.moveCount * kMostSearchedMoves >= classCount_) {
      const size_t row = denseRows_.size() / (classCount_ + 1);
      denseRows_.resize(denseRows_.size() + classCount_ + 1, 0);
      for (uint32_t m = node.firstMove; m < node.firstMove + node.moveCount; ++m)
        denseRows_[row * (classCount_ + 1) + moveClasses_[m]] = moveTargets_[m];
      node.denseRow = static_cast<int32_t>(row);
    }
    if (next == 0) nodes_[0] = node;
    else nodes_.push_back(node);
  }
  counts_.assign(nodes_.size(), 0);
  hitNodes_.clear();
  built_ = true;
}

int32_t KeywordMatcher::Move(const Node& node, uint32_t cls) const {
  if (node.denseRow >= 0) {
    const int32_t target = denseRows_[static_cast<size_t>(node.denseRow) * (classCount_ + 1) + cls];
    return target ? target : -1;
  }
  const uint32_t* begin = moveClasses_.data() + node.firstMove;
  const uint32_t* end = begin + node.moveCount;
  const uint32_t* found = begin;
  if (node.moveCount <= kMostSearchedMoves) {
    while (found != end && *found != cls) ++found;
  } else {
    found = std::lower_bound(begin, end, cls);
  }
  if (found == end || *found != cls) return -1;
  return moveTargets_[static_cast<size_t>(found - moveClasses_.data())];
}

std::vector<KeywordMatcher::Hit> KeywordMatcher::Count(std::wstring_view text) {
  if (!built_) Build();
  const size_t n = text.size();
  auto isWordChar = [&](size_t i) { return (CharClass(text[i]) & kWordChar) != 0; };
  for (size_t i = 0; i < n; ++i) {
    // A word begins at the text's start or after a character that is no word character.
    if (i > 0 && isWordChar(i - 1)) continue;
    int32_t at = 0;
    for (size_t j = i; j < n; ++j) {
      const uint32_t cls = CharClass(text[j]) & kClassMask;
      if (cls == 0) break;
      at = Move(nodes_[static_cast<size_t>(at)], cls);
      if (at < 0) break;
      if (nodes_[static_cast<size_t>(at)].word >= 0 && (j + 1 == n || !isWordChar(j + 1)))
        if (counts_[static_cast<size_t>(at)]++ == 0) hitNodes_.push_back(at);
    }
  }
  std::vector<Hit> hits;
  for (int32_t node : hitNodes_) {
    unsigned& count = counts_[static_cast<size_t>(node)];
    for (int32_t id = nodes_[static_cast<size_t>(node)].word; id >= 0; id = sameWord_[static_cast<size_t>(id)])
      hits.push_back({static_cast<size_t>(id), count});
    count = 0;
  }
  hitNodes_.clear();
  return hits;
}

}  // namespace kernelstandin
