#include "KeywordMatcher.h"

#include <deque>

#include "TextUtil.h"

namespace kernelstandin {
namespace {

uint64_t Key(int state, wchar_t c) { return (static_cast<uint64_t>(state) << 16) | static_cast<uint16_t>(c); }

}  // namespace

size_t KeywordMatcher::Add(std::wstring_view word) {
  const std::wstring lower = ToLower(word);
  int state = 0;
  for (wchar_t c : lower) {
    auto [it, inserted] = edges_.try_emplace(Key(state, c), static_cast<int>(nodes_.size()));
    if (inserted) nodes_.push_back(Node{});
    state = it->second;
  }
  const size_t id = lengths_.size();
  lengths_.push_back(lower.size());
  if (lower.empty() || nodes_[static_cast<size_t>(state)].output >= 0) {
    // An empty word matches nothing; an equal word shares the first one's hits.
    firstOfWord_.push_back(lower.empty() ? -1 : nodes_[static_cast<size_t>(state)].output);
    if (!lower.empty()) duplicates_.emplace_back(id, static_cast<size_t>(firstOfWord_.back()));
  } else {
    nodes_[static_cast<size_t>(state)].output = static_cast<int>(id);
    firstOfWord_.push_back(static_cast<int>(id));
  }
  built_ = false;
  rootMoves_.clear();
  return id;
}

int KeywordMatcher::Next(int state, wchar_t c) const {
  for (;;) {
    if (state == 0 && !rootMoves_.empty()) return rootMoves_[static_cast<uint16_t>(c)];
    auto it = edges_.find(Key(state, c));
    if (it != edges_.end()) return it->second;
    if (state == 0) return 0;
    state = nodes_[static_cast<size_t>(state)].fail;
  }
}

void KeywordMatcher::Build() const {
  // Breadth first: every node's failure link is the longest proper suffix
  // of its path that is a path too.
  std::vector<std::vector<std::pair<wchar_t, int>>> children(nodes_.size());
  for (const auto& [key, child] : edges_)
    children[static_cast<size_t>(key >> 16)].emplace_back(static_cast<wchar_t>(key & 0xFFFF), child);
  rootMoves_.clear();
  std::vector<int> root(65536, 0);
  for (const auto& [c, child] : children[0]) root[static_cast<uint16_t>(c)] = child;
  std::deque<int> queue;
  for (const auto& [c, child] : children[0]) {
    nodes_[static_cast<size_t>(child)].fail = 0;
    queue.push_back(child);
  }
  while (!queue.empty()) {
    int state = queue.front();
    queue.pop_front();
    for (const auto& [c, child] : children[static_cast<size_t>(state)]) {
      Node& node = nodes_[static_cast<size_t>(child)];
      node.fail = Next(nodes_[static_cast<size_t>(state)].fail, c);
      if (node.fail == child) node.fail = 0;
      const Node& fail = nodes_[static_cast<size_t>(node.fail)];
      node.outputLink = fail.output >= 0 ? node.fail : fail.outputLink;
      queue.push_back(child);
    }
  }
  rootMoves_ = std::move(root);
  built_ = true;
}

std::vector<unsigned> KeywordMatcher::Count(std::wstring_view text) const {
  if (!built_) Build();
  std::vector<unsigned> hits(lengths_.size(), 0);
  const std::wstring lower = ToLower(text);
  int state = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    state = Next(state, lower[i]);
    const bool endsWord = i + 1 >= text.size() || !IsWordChar(text[i + 1]);
    if (!endsWord) continue;
    for (int s = nodes_[static_cast<size_t>(state)].output >= 0 ? state : nodes_[static_cast<size_t>(state)].outputLink;
         s >= 0; s = nodes_[static_cast<size_t>(s)].outputLink) {
      const int word = nodes_[static_cast<size_t>(s)].output;
      const size_t length = lengths_[static_cast<size_t>(word)];
      const size_t start = i + 1 - length;
      if (start == 0 || !IsWordChar(text[start - 1])) ++hits[static_cast<size_t>(word)];
    }
  }
  for (const auto& [id, first] : duplicates_) hits[id] = hits[first];
  return hits;
}

}  // namespace kernelstandin
