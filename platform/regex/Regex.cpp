#include "platform/regex/Regex.h"

#include "platform/regex/RegexProgram.h"

namespace platform {

using regex_detail::Instruction;
using regex_detail::Op;
using regex_detail::Program;

namespace {

// Pike virtual machine: every live thread advances over the text together,
// one character at a time; a thread list holds each instruction at most once
// per position, so a step costs at most the program's length.
class Machine {
 public:
  Machine(const Program& program, std::wstring_view text, int startPc, size_t slotCount)
      : program_(program), text_(text), startPc_(startPc), slotCount_(slotCount),
        current_(program.code.size(), slotCount), next_(program.code.size(), slotCount),
        scratch_(slotCount, RegexSpan::npos) {}

  // Runs from position; anchored: the match must start there. Fills the
  // slots of the preferred match and tells whether there was one.
  bool Run(size_t position, bool anchored, std::vector<size_t>& slots) {
    const wchar_t firstChar = FirstChar();
    bool matched = false;
    current_.Clear();
    for (size_t pos = position;; ++pos) {
      if (!matched && (!anchored || pos == position)) {
        if (current_.count == 0 && !anchored && firstChar != 0) {
          pos = SkipTo(pos, firstChar);
          if (pos >= text_.size()) break;
        }
        std::fill(scratch_.begin(), scratch_.end(), RegexSpan::npos);
        Add(current_, startPc_, pos, scratch_.data());
      }
      if (current_.count == 0) {
        // No thread runs: the search is over, unless an unanchored search
        // finds nothing starting here (a look-ahead refused it) and goes on.
        if (matched || anchored || pos >= text_.size()) break;
        current_.Clear();  // a new list for the next position's start
        continue;
      }
      next_.Clear();
      for (size_t i = 0; i < current_.count; ++i) {
        const int pc = current_.pcs[i];
        const Instruction& ins = program_.code[pc];
        size_t* threadSlots = current_.Slots(i);
        if (ins.op == Op::Match) {
          matched = true;
          slots.assign(threadSlots, threadSlots + slotCount_);
          break;  // the threads after this one have lower priority
        }
        if (pos < text_.size() && Consumes(ins, text_[pos])) {
          std::copy(threadSlots, threadSlots + slotCount_, scratch_.begin());
          Add(next_, pc + 1, pos + 1, scratch_.data());
        }
      }
      std::swap(current_, next_);
      if (pos >= text_.size()) break;
    }
    return matched;
  }

 private:
  struct ThreadList {
    ThreadList(size_t programSize, size_t slotCount)
        : pcs(programSize), slots(programSize * slotCount), stamp(programSize, 0), width(slotCount) {}
    void Clear() { count = 0; ++generation; }
    size_t* Slots(size_t i) { return slots.data() + i * width; }
    std::vector<int> pcs;
    std::vector<size_t> slots;
    std::vector<size_t> stamp;  // generation in which an instruction was added
    size_t generation = 0;
    size_t count = 0;
    size_t width;
  };

  bool Consumes(const Instruction& ins, wchar_t c) const {
    switch (ins.op) {
      case Op::Char: return c == ins.ch || c == ins.alt;
      case Op::Any: return true;
      case Op::Class: return program_.classes[ins.arg1].Contains(c, program_.ignoreCase);
      default: return false;
    }
  }

  // Follows the instructions that consume nothing and adds the threads that
  // wait for a character (or the match) to the list, in priority order.
  void Add(ThreadList& list, int pc, size_t pos, size_t* slots) {
    if (list.stamp[pc] == list.generation) return;
    list.stamp[pc] = list.generation;
    const Instruction& ins = program_.code[pc];
    switch (ins.op) {
      case Op::Jump: Add(list, ins.arg1, pos, slots); return;
      case Op::Split:
        Add(list, ins.arg1, pos, slots);
        Add(list, ins.arg2, pos, slots);
        return;
      case Op::Save: {
        if (static_cast<size_t>(ins.arg1) >= slotCount_) {
          Add(list, pc + 1, pos, slots);
          return;
        }
        size_t saved = slots[ins.arg1];
        slots[ins.arg1] = pos;
        Add(list, pc + 1, pos, slots);
        slots[ins.arg1] = saved;
        return;
      }
      case Op::Begin:
        if (pos == 0) Add(list, pc + 1, pos, slots);
        return;
      case Op::End:
        if (pos == text_.size()) Add(list, pc + 1, pos, slots);
        return;
      case Op::NotAhead: {
        Machine sub(program_, text_, ins.arg1, 0);
        std::vector<size_t> none;
        if (!sub.Run(pos, true, none)) Add(list, pc + 1, pos, slots);
        return;
      }
      default: {
        size_t i = list.count++;
        list.pcs[i] = pc;
        std::copy(slots, slots + slotCount_, list.Slots(i));
        return;
      }
    }
  }

  // The character every match must start with, or 0 when there is none.
  wchar_t FirstChar() const {
    if (startPc_ != 0) return 0;
    const Instruction& ins = program_.code[1];  // after the whole-match Save
    return ins.op == Op::Char && ins.ch != 0 ? ins.ch : 0;
  }

  size_t SkipTo(size_t pos, wchar_t c) const {
    const wchar_t alt = program_.code[1].alt;
    while (pos < text_.size() && text_[pos] != c && text_[pos] != alt) ++pos;
    return pos;
  }

  const Program& program_;
  std::wstring_view text_;
  int startPc_;
  size_t slotCount_;
  ThreadList current_;
  ThreadList next_;
  std::vector<size_t> scratch_;
};

}  // namespace

Regex::Regex(std::wstring_view pattern, Case caseMode)
    : program_(std::make_shared<const Program>(
          regex_detail::CompileProgram(pattern, caseMode == Case::Insensitive))) {}

std::optional<Regex> Regex::TryCompile(std::wstring_view pattern, Case caseMode, std::string* error) {
  try {
    return Regex(pattern, caseMode);
  } catch (const RegexError& e) {
    if (error) *error = e.what();
    return std::nullopt;
  }
}

size_t Regex::GroupCount() const { return static_cast<size_t>(program_->groupCount); }

std::optional<RegexMatch> Regex::MatchAt(std::wstring_view text, size_t position) const {
  return Run(text, position, true);
}

std::optional<RegexMatch> Regex::Search(std::wstring_view text, size_t position) const {
  return Run(text, position, false);
}

std::optional<RegexMatch> Regex::Run(std::wstring_view text, size_t position, bool anchored) const {
  if (position > text.size()) return std::nullopt;
  const size_t slotCount = 2 * (GroupCount() + 1);
  Machine machine(*program_, text, 0, slotCount);
  std::vector<size_t> slots;
  if (!machine.Run(position, anchored, slots)) return std::nullopt;
  std::vector<RegexSpan> spans(GroupCount() + 1);
  for (size_t i = 0; i < spans.size(); ++i) {
    if (slots[2 * i] != RegexSpan::npos && slots[2 * i + 1] != RegexSpan::npos)
      spans[i] = RegexSpan{slots[2 * i], slots[2 * i + 1]};
  }
  return RegexMatch(std::move(spans));
}

}  // namespace platform
