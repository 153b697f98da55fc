// Loading keyword lists (the module's analyser text with its duplicate test,
// and the keyword analyser's automaton) for 1 000 templates x 50 keywords and
// 100 templates x 5 000, and analysing 64 KB and 8 MB texts against them.
// Baseline, measured in the same run: one pass over the same text that only
// lower-cases it. Prints the ratios and the growth from 64 KB to 8 MB.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "KeywordMatcher.h"
#include "analyzer/KeywordListText.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// The best of a few runs, so that one slow run does not decide.
template <class Body>
double Best(int runs, Body&& body) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    auto start = Clock::now();
    body();
    best = std::min(best, Seconds(start));
  }
  return best;
}

std::wstring Word(unsigned n) {
  std::wstring word;
  do {
    word += static_cast<wchar_t>(L'a' + n % 26);
    n /= 26;
  } while (n);
  return word + L"x";
}

// Lists of one layout: each template its own words, a tenth of them repeated
// and a form entry per keyword, CR LF between.
std::vector<std::wstring> MakeLists(unsigned templates, unsigned keywords) {
  std::vector<std::wstring> lists;
  unsigned next = 0;
  for (unsigned t = 0; t < templates; ++t) {
    std::wstring list;
    for (unsigned k = 0; k < keywords; ++k) {
      std::wstring word = Word(next++);
      list += word + L"\r\n" + word + L"s#123#" + word + L"\r\n";
      if (k % 10 == 0) list += word + L"\r\n";
    }
    lists.push_back(list);
  }
  return lists;
}

std::wstring MakeText(size_t bytes, unsigned vocabulary) {
  std::wstring text;
  unsigned n = 7;
  while (text.size() * sizeof(wchar_t) < bytes) {
    n = n * 1103515245u + 12345u;
    text += ((n >> 16) % 4 == 0 ? Word((n >> 8) % vocabulary) : std::wstring(L"Other")) + L" ";
  }
  text.resize(bytes / sizeof(wchar_t));
  return text;
}

struct Loaded {
  kernelstandin::KeywordMatcher matcher;
  double seconds = 0;
};

void Load(const std::vector<std::wstring>& lists, Loaded& loaded) {
  auto start = Clock::now();
  for (const std::wstring& list : lists) {
    std::wstring text = ombrel::AnalyzerTextOf(list);
    size_t from = 0;
    for (size_t end; (end = text.find(L"\r\n", from)) != std::wstring::npos; from = end + 2)
      loaded.matcher.Add(std::wstring_view(text).substr(from, end - from));
  }
  loaded.matcher.Count(L"warm");  // builds the automaton
  loaded.seconds = Seconds(start);
}

double LowerPass(const std::wstring& text) {
  return Best(3, [&] {
    std::wstring copy(text);
    CharLowerBuffW(copy.data(), static_cast<DWORD>(copy.size()));
    volatile wchar_t sink = copy[copy.size() / 2];
    (void)sink;
  });
}

}  // namespace

int main() {
  struct Layout {
    unsigned templates, keywords;
  };
  const Layout layouts[] = {{1000, 50}, {100, 5000}};
  const std::wstring small = MakeText(64 * 1024, 60000);
  const std::wstring large = MakeText(8 * 1024 * 1024, 60000);
  const double smallBase = LowerPass(small), largeBase = LowerPass(large);
  printf("baseline lower-casing pass: 64 KB %.3f ms, 8 MB %.1f ms\n", smallBase * 1e3, largeBase * 1e3);
  std::vector<double> loadPerEntry;
  for (const Layout& layout : layouts) {
    const std::vector<std::wstring> lists = MakeLists(layout.templates, layout.keywords);
    size_t characters = 0;
    for (const auto& list : lists) characters += list.size();
    Loaded loaded;
    Load(lists, loaded);
    const std::wstring all = [&] {
      std::wstring joined;
      for (const auto& list : lists) joined += list;
      return joined;
    }();
    const double listBase = LowerPass(all);
    loadPerEntry.push_back(loaded.seconds / static_cast<double>(characters));
    printf("load %u templates x %u keywords (%zu characters): %.1f ms, %.1f x one lower-casing pass over the lists\n",
           layout.templates, layout.keywords, characters, loaded.seconds * 1e3, loaded.seconds / listBase);
    const double smallTime = Best(3, [&] { loaded.matcher.Count(small); });
    const double largeTime = Best(1, [&] { loaded.matcher.Count(large); });
    printf("  analyse 64 KB: %.3f ms = %.1f x baseline; 8 MB: %.1f ms = %.1f x baseline; growth 64 KB -> 8 MB %.0f (text x128)\n",
           smallTime * 1e3, smallTime / smallBase, largeTime * 1e3, largeTime / largeBase, largeTime / smallTime);
  }
  printf("loading time per list character, 100 x 5000 against 1000 x 50: %.2f (1 = linear in the list size)\n",
         loadPerEntry[1] / loadPerEntry[0]);
  return 0;
}
