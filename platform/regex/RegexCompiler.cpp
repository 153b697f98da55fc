#include <windows.h>

#include <memory>
#include <string>

#include "platform/regex/Regex.h"
#include "platform/regex/RegexProgram.h"

namespace platform::regex_detail {

wchar_t ToLower(wchar_t c) {
  if (c < 0x80) return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
  return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(
      CharLowerW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c)))));
}

wchar_t ToUpper(wchar_t c) {
  if (c < 0x80) return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
  return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(
      CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c)))));
}

bool CharClass::Contains(wchar_t c, bool ignoreCase) const {
  auto inRanges = [this](wchar_t x) {
    for (const auto& [low, high] : ranges)
      if (x >= low && x <= high) return true;
    return false;
  };
  bool found = inRanges(c) || (ignoreCase && (inRanges(ToLower(c)) || inRanges(ToUpper(c))));
  return found != negated;
}

namespace {

struct Node {
  enum Kind { Empty, Char, Any, Class, Concat, Alt, Star, Plus, Quest, Group, Begin, End, Not };
  Kind kind = Empty;
  bool lazy = false;
  wchar_t ch = 0;
  int index = 0;  // class or group number
  std::vector<std::unique_ptr<Node>> kids;
};
using NodePtr = std::unique_ptr<Node>;

NodePtr MakeNode(Node::Kind kind) {
  auto node = std::make_unique<Node>();
  node->kind = kind;
  return node;
}

// The abbreviations, written in the syntax itself.
const wchar_t* Abbreviation(wchar_t letter) {
  switch (letter) {
    case L'a': return L"[a-zA-Z0-9]";
    case L'b': return L"[ \t]";
    case L'c': return L"[a-zA-Z]";
    case L'd': return L"[0-9]";
    case L'h': return L"[0-9a-fA-F]";
    case L'n': return L"(\r|\r?\n)";
    case L'q': return L"(\"[^\"]*\"|'[^']*')";
    case L'w': return L"[a-zA-Z]+";
    case L'z': return L"[0-9]+";
    default: return nullptr;
  }
}

// Ranges of the abbreviations that stand for one character, usable in [].
bool AbbreviationRanges(wchar_t letter, CharClass& out) {
  switch (letter) {
    case L'a':
      out.ranges.insert(out.ranges.end(), {{L'a', L'z'}, {L'A', L'Z'}, {L'0', L'9'}});
      return true;
    case L'b': out.ranges.insert(out.ranges.end(), {{L' ', L' '}, {L'\t', L'\t'}}); return true;
    case L'c': out.ranges.insert(out.ranges.end(), {{L'a', L'z'}, {L'A', L'Z'}}); return true;
    case L'd': out.ranges.push_back({L'0', L'9'}); return true;
    case L'h':
      out.ranges.insert(out.ranges.end(), {{L'0', L'9'}, {L'a', L'f'}, {L'A', L'F'}});
      return true;
    default: return false;
  }
}

class Parser {
 public:
  Parser(std::wstring_view pattern, Program& program, size_t errorBase)
      : text_(pattern), program_(program), errorBase_(errorBase) {}

  NodePtr ParseWhole() {
    NodePtr node = ParseAlternation();
    if (pos_ < text_.size()) Fail(std::string("unbalanced '") + static_cast<char>(text_[pos_]) + "'");
    return node;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw RegexError("bad regular expression: " + what, errorBase_ + pos_);
  }
  bool AtEnd() const { return pos_ >= text_.size(); }
  wchar_t Peek() const { return text_[pos_]; }

  NodePtr ParseAlternation() {
    NodePtr first = ParseSequence();
    if (AtEnd() || Peek() != L'|') return first;
    NodePtr alt = MakeNode(Node::Alt);
    alt->kids.push_back(std::move(first));
    while (!AtEnd() && Peek() == L'|') {
      ++pos_;
      alt->kids.push_back(ParseSequence());
    }
    return alt;
  }

  NodePtr ParseSequence() {
    NodePtr seq = MakeNode(Node::Concat);
    while (!AtEnd() && Peek() != L'|' && Peek() != L')' && Peek() != L'}')
      seq->kids.push_back(ParseFactor());
    if (seq->kids.size() == 1) return std::move(seq->kids[0]);
    return seq;
  }

  NodePtr ParseFactor() {
    if (Peek() == L'!') {
      ++pos_;
      if (AtEnd() || Peek() == L'|' || Peek() == L')' || Peek() == L'}') Fail("'!' without an expression");
      NodePtr node = MakeNode(Node::Not);
      node->kids.push_back(ParseFactor());
      return node;
    }
    NodePtr atom = ParseAtom();
    if (AtEnd()) return atom;
    Node::Kind kind;
    switch (Peek()) {
      case L'*': kind = Node::Star; break;
      case L'+': kind = Node::Plus; break;
      case L'?': kind = Node::Quest; break;
      default: return atom;
    }
    if (atom->kind == Node::Begin || atom->kind == Node::End) Fail("repetition of an anchor");
    ++pos_;
    NodePtr repeat = MakeNode(kind);
    if (!AtEnd() && Peek() == L'?') {
      repeat->lazy = true;
      ++pos_;
    }
    if (!AtEnd() && (Peek() == L'*' || Peek() == L'+' || Peek() == L'?')) Fail("repetition of a repetition");
    repeat->kids.push_back(std::move(atom));
    return repeat;
  }

  NodePtr ParseAtom() {
    wchar_t c = text_[pos_++];
    switch (c) {
      case L'(': {
        NodePtr inner = ParseAlternation();
        if (AtEnd() || Peek() != L')') Fail("missing ')'");
        ++pos_;
        return inner;
      }
      case L'{': {
        NodePtr group = MakeNode(Node::Group);
        group->index = ++program_.groupCount;
        group->kids.push_back(ParseAlternation());
        if (AtEnd() || Peek() != L'}') Fail("missing '}'");
        ++pos_;
        return group;
      }
      case L'[': return ParseClass();
      case L'.': return MakeNode(Node::Any);
      case L'^': return MakeNode(Node::Begin);
      case L'$': return MakeNode(Node::End);
      case L'*':
      case L'+':
      case L'?':
        --pos_;
        Fail("nothing to repeat");
      case L'\\': {
        if (AtEnd()) Fail("'\\' at the end");
        wchar_t letter = text_[pos_++];
        // A back-reference cannot run in linear time; refuse it rather than
        // read it as a digit.
        if (letter >= L'0' && letter <= L'9') {
          --pos_;
          Fail("back-references are not supported");
        }
        if (const wchar_t* expansion = Abbreviation(letter)) {
          Parser sub(expansion, program_, errorBase_ + pos_ - 2);
          return sub.ParseWhole();
        }
        return Literal(letter);
      }
      default: return Literal(c);
    }
  }

  NodePtr Literal(wchar_t c) {
    NodePtr node = MakeNode(Node::Char);
    node->ch = c;
    return node;
  }

  // After '['.
  NodePtr ParseClass() {
    CharClass cls;
    if (!AtEnd() && Peek() == L'^') {
      cls.negated = true;
      ++pos_;
    }
    bool first = true;
    for (;;) {
      if (AtEnd()) Fail("missing ']'");
      wchar_t c = text_[pos_++];
      if (c == L']' && !first) break;
      first = false;
      if (c == L'\\') {
        if (AtEnd()) Fail("'\\' at the end");
        c = text_[pos_++];
        if (AbbreviationRanges(c, cls)) continue;
      }
      wchar_t high = c;
      if (pos_ + 1 < text_.size() && Peek() == L'-' && text_[pos_ + 1] != L']') {
        ++pos_;
        high = text_[pos_++];
        if (high == L'\\') {
          if (AtEnd()) Fail("'\\' at the end");
          high = text_[pos_++];
        }
        if (high < c) Fail("range out of order");
      }
      cls.ranges.push_back({c, high});
    }
    NodePtr node = MakeNode(Node::Class);
    node->index = static_cast<int>(program_.classes.size());
    program_.classes.push_back(std::move(cls));
    return node;
  }

  std::wstring_view text_;
  size_t pos_ = 0;
  Program& program_;
  size_t errorBase_;
};

class CodeGenerator {
 public:
  explicit CodeGenerator(Program& program) : program_(program) {}

  void Emit(const Node& node) {
    switch (node.kind) {
      case Node::Empty: break;
      case Node::Char: {
        Instruction ins{Op::Char, node.ch, node.ch};
        if (program_.ignoreCase) {
          ins.ch = ToLower(node.ch);
          ins.alt = ToUpper(node.ch);
        }
        Add(ins);
        break;
      }
      case Node::Any: Add({Op::Any}); break;
      case Node::Class: Add({Op::Class, 0, 0, node.index}); break;
      case Node::Begin: Add({Op::Begin}); break;
      case Node::End: Add({Op::End}); break;
      case Node::Concat:
        for (const auto& kid : node.kids) Emit(*kid);
        break;
      case Node::Alt: {
        std::vector<int> jumps;
        for (size_t i = 0; i < node.kids.size(); ++i) {
          if (i + 1 < node.kids.size()) {
            int split = Add({Op::Split});
            Code(split).arg1 = Here();
            Emit(*node.kids[i]);
            jumps.push_back(Add({Op::Jump}));
            Code(split).arg2 = Here();
          } else {
            Emit(*node.kids[i]);
          }
        }
        for (int jump : jumps) Code(jump).arg1 = Here();
        break;
      }
      case Node::Star: {
        int split = Add({Op::Split});
        int body = Here();
        Emit(*node.kids[0]);
        Add({Op::Jump, 0, 0, split});
        SetSplit(split, body, Here(), node.lazy);
        break;
      }
      case Node::Plus: {
        int body = Here();
        Emit(*node.kids[0]);
        int split = Add({Op::Split});
        SetSplit(split, body, Here(), node.lazy);
        break;
      }
      case Node::Quest: {
        int split = Add({Op::Split});
        int body = Here();
        Emit(*node.kids[0]);
        SetSplit(split, body, Here(), node.lazy);
        break;
      }
      case Node::Group:
        Add({Op::Save, 0, 0, 2 * node.index});
        Emit(*node.kids[0]);
        Add({Op::Save, 0, 0, 2 * node.index + 1});
        break;
      case Node::Not: {
        // NotAhead, Jump past the sub-program, sub-program, Match.
        int test = Add({Op::NotAhead});
        int jump = Add({Op::Jump});
        Code(test).arg1 = Here();
        Emit(*node.kids[0]);
        Add({Op::Match});
        Code(jump).arg1 = Here();
        break;
      }
    }
  }

  int Add(Instruction ins) {
    program_.code.push_back(ins);
    return static_cast<int>(program_.code.size()) - 1;
  }

 private:
  int Here() const { return static_cast<int>(program_.code.size()); }
  Instruction& Code(int at) { return program_.code[at]; }
  void SetSplit(int split, int body, int next, bool lazy) {
    Code(split).arg1 = lazy ? next : body;
    Code(split).arg2 = lazy ? body : next;
  }

  Program& program_;
};

}  // namespace

Program CompileProgram(std::wstring_view pattern, bool ignoreCase) {
  Program program;
  program.ignoreCase = ignoreCase;
  Parser parser(pattern, program, 0);
  NodePtr root = parser.ParseWhole();
  CodeGenerator generator(program);
  generator.Add({Op::Save, 0, 0, 0});
  generator.Emit(*root);
  generator.Add({Op::Save, 0, 0, 1});
  generator.Add({Op::Match});
  return program;
}

}  // namespace platform::regex_detail
