// The AOT module's analysis path and the stand-in kernel's share of it, for
// 1 000 templates x 50 keywords and 100 x 5 000.
// Loading: the module's analyser text of every list (its duplicate test)
// handed to the stand-in's keyword analyser, and the analyser's first count
// (it builds its tables), against one lower-casing pass over the lists; the
// stand-in's share (hand-over and first count) printed apart.
// Analysis of 64 KB and 8 MB texts through the module's Analyze: the
// stand-in's analysis, the module's three calls per template and its sort.
// The module's call of the stand-in's analysis is timed on its way through;
// the stand-in's answers (weight, name and report of every template) are
// timed called alone right after, and so is, as a check, its analysis. The
// module's own share is what remains. Baseline: one lower-casing pass over
// the same text into a buffer that every run reuses.
// The stand-in kernel is registered by the program itself.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "analyzer/KeywordListText.h"
#include "analyzer/Norva5TemplateSemiAnalyzer.h"
#include "platform/base/ModulePath.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComError.h"
#include "platform/com/ComObject.h"
#include "platform/com/Variant.h"

namespace {

using Clock = std::chrono::steady_clock;
using platform::Bstr;

constexpr long kEnglishRussian = 0x00020001;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return static_cast<double>(static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

bool RegisterKernel() {
  HMODULE dll = LoadLibraryW((platform::ModuleFolder(nullptr) + L"NrvaKernel.dll").c_str());
  if (!dll) return false;
  auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(dll, "DllRegisterServer"));
  const bool ok = entry && SUCCEEDED(entry());
  FreeLibrary(dll);
  return ok;
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

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The stand-in's keyword analyser as the module sees it, with the time spent
// inside its analysis and inside the hand-over of the lists added up.
class TimedKernel final : public INrvaKeywordAnalyzer {
 public:
  explicit TimedKernel(INrvaKeywordAnalyzer* inner) : inner_(platform::ComPtr<INrvaKeywordAnalyzer>::Share(inner)) {}

  double analysis = 0, handOver = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != __uuidof(INrvaKeywordAnalyzer)) return E_NOINTERFACE;
    *out = static_cast<INrvaKeywordAnalyzer*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetDirection(LONG dirId) override { return inner_->SetDirection(dirId); }
  HRESULT STDMETHODCALLTYPE ResetKeywords() override { return inner_->ResetKeywords(); }
  HRESULT STDMETHODCALLTYPE AddKeywords(BSTR name, BSTR words) override {
    const double start = Now();
    const HRESULT hr = inner_->AddKeywords(name, words);
    handOver += Now() - start;
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Analyze(BSTR text) override {
    const double start = Now();
    const HRESULT hr = inner_->Analyze(text);
    analysis += Now() - start;
    return hr;
  }
  HRESULT STDMETHODCALLTYPE GetBestTemplate(BSTR* name) override { return inner_->GetBestTemplate(name); }
  HRESULT STDMETHODCALLTYPE GetCount(LONG* count) override { return inner_->GetCount(count); }
  HRESULT STDMETHODCALLTYPE GetWeight(LONG index, USHORT* weight) override { return inner_->GetWeight(index, weight); }
  HRESULT STDMETHODCALLTYPE GetName(LONG index, BSTR* name) override { return inner_->GetName(index, name); }
  HRESULT STDMETHODCALLTYPE GetReport(LONG index, BSTR* report) override { return inner_->GetReport(index, report); }

 private:

  platform::ComPtr<INrvaKeywordAnalyzer> inner_;
  ULONG references_ = 1;
};

// The module's analyzer whose keyword lists come from memory instead of the
// template manager's dictionaries; the hand-over is the module's own.
class ListsAnalyzer : public ombrel::CNorva5TemplateSemiAnalyzer {
 public:
  void Use(const std::vector<std::wstring>* lists) { lists_ = lists; }
  INrvaKeywordAnalyzer* Kernel() const { return kernel_ ? kernel_.Get() : keywordAnalyzer_.Get(); }
  // From now on the module's calls to the analyser go through a timer.
  TimedKernel& TimeKernelCalls() {
    kernel_ = std::move(keywordAnalyzer_);
    auto* timed = new TimedKernel(kernel_.Get());
    keywordAnalyzer_ = platform::ComPtr<INrvaKeywordAnalyzer>::Adopt(timed);
    return *timed;
  }

  HRESULT LoadKeywords() override {
    ResetKeywords();
    platform::ThrowIfFailed(keywordAnalyzer_->SetDirection(dirId_));
    for (size_t i = 0; i < lists_->size(); ++i)
      keywordAnalyzer_->AddKeywords(Bstr(L"Template " + std::to_wstring(i)).Get(),
                                    Bstr(ombrel::AnalyzerTextOf((*lists_)[i])).Get());
    return S_OK;
  }

 private:
  const std::vector<std::wstring>* lists_ = nullptr;
  platform::ComPtr<INrvaKeywordAnalyzer> kernel_;  // the stand-in's, once the timer is in between
};

// One lower-casing pass over a text, into a buffer kept from run to run.
class LowerPass {
 public:
  double Best(const std::wstring& text, int runs) {
    double best = 1e30;
    for (int i = 0; i <= runs; ++i) {
      const auto start = Clock::now();
      buffer_.assign(text);
      CharLowerBuffW(buffer_.data(), static_cast<DWORD>(buffer_.size()));
      volatile wchar_t sink = buffer_[buffer_.size() / 2];
      (void)sink;
      if (i > 0) best = std::min(best, Seconds(start));  // the first run sizes the buffer
    }
    return best;
  }

 private:
  std::wstring buffer_;
};

struct Shares {
  double module = 1e30;    // the module's Analyze, whole
  double analysis = 1e30;  // inside it: the stand-in's analysis
  double answers = 1e30;   // the stand-in's answers, called alone
  double besides = 1e30;   // the module's Analyze less the stand-in's analysis inside it
  double alone = 1e30;     // the stand-in's analysis called alone
  LONG templates = 0, ranked = 0;
  double cpu = 0, wall = 0;  // of the module's runs, processor and clock
};

// Best of several rounds, each round the module's Analyze, then the
// stand-in's answers and its analysis alone.
Shares Measure(ListsAnalyzer& analyzer, TimedKernel& timed, const std::wstring& text, int rounds) {
  Shares best;
  Bstr source(text);
  INrvaKeywordAnalyzer* kernel = analyzer.Kernel();
  for (int round = 0; round < rounds; ++round) {
    timed.analysis = 0;
    const double cpu = ProcessCpuSeconds();
    const double start = Now();
    analyzer.Analyze(source.Get(), nullptr);
    const double module = Now() - start;
    best.cpu += ProcessCpuSeconds() - cpu;
    best.wall += module;
    best.module = std::min(best.module, module);
    best.analysis = std::min(best.analysis, timed.analysis);

    const double answersStart = Now();
    LONG count = 0;
    kernel->GetCount(&count);
    for (LONG i = 0; i < count; ++i) {
      USHORT weight = 0;
      Bstr name, report;
      kernel->GetWeight(i, &weight);
      kernel->GetName(i, name.Receive());
      kernel->GetReport(i, report.Receive());
    }
    const double answers = Now() - answersStart;
    best.answers = std::min(best.answers, answers);
    best.besides = std::min(best.besides, module - timed.analysis);
    best.templates = count;

    const double alone = Now();
    kernel->Analyze(source.Get());
    best.alone = std::min(best.alone, Now() - alone);
  }
  best.ranked = static_cast<LONG>(analyzer.Ranked().size());
  return best;
}

void Print(const char* size, const Shares& s, double base) {
  // Minima, each of its own rounds: a round that lost the processor is
  // longer, never shorter.
  const double own = s.besides - s.answers;
  printf("  %s: module's Analyze %.2f ms = %.1f x baseline (%ld of %ld templates ranked)\n", size, s.module * 1e3,
         s.module / base, s.ranked, s.templates);
  printf("    stand-in's analysis %.2f ms (called alone %.2f ms), its answers %.2f ms\n", s.analysis * 1e3,
         s.alone * 1e3, s.answers * 1e3);
  printf("    the module's own share %.3f ms = %.2f x baseline\n", own * 1e3, own / base);
  printf("    processor time of the module's runs %.0f%% of their clock time\n", 100 * s.cpu / s.wall);
}

}  // namespace

int main() {
  const double cpuAtStart = ProcessCpuSeconds();
  const auto runStart = Clock::now();
  platform::ComApartment apartment;
  if (!RegisterKernel()) {
    fprintf(stderr, "the stand-in kernel could not be registered\n");
    return 1;
  }
  struct Layout {
    unsigned templates, keywords;
  };
  const Layout layouts[] = {{1000, 50}, {100, 5000}};
  const std::wstring small = MakeText(64 * 1024, 60000);
  const std::wstring large = MakeText(8 * 1024 * 1024, 60000);
  LowerPass lower;
  const double smallBase = lower.Best(small, 9), largeBase = lower.Best(large, 3);
  printf("baseline lower-casing pass (reused buffer): 64 KB %.3f ms, 8 MB %.2f ms\n", smallBase * 1e3,
         largeBase * 1e3);
  std::vector<double> loadPerCharacter;
  for (const Layout& layout : layouts) {
    const std::vector<std::wstring> lists = MakeLists(layout.templates, layout.keywords);
    size_t characters = 0;
    std::wstring all;
    for (const auto& list : lists) {
      characters += list.size();
      all += list;
    }
    auto analyzer = platform::MakeComObject<ListsAnalyzer>();
    analyzer->Use(&lists);
    platform::Variant direction = platform::Variant::FromInt32(kEnglishRussian);
    if (FAILED(analyzer->Initialize(Bstr(L"bench").Get(), direction.Get()))) {
      fprintf(stderr, "the analyzer could not be initialised\n");
      return 1;
    }
    TimedKernel& timed = analyzer->TimeKernelCalls();
    auto start = Clock::now();
    const HRESULT loaded = analyzer->EnsureKeywords();
    const double firstCount = Now();
    analyzer->Kernel()->Analyze(Bstr(L"warm").Get());  // the stand-in builds its tables
    const double standIn = timed.handOver + (Now() - firstCount);
    const double load = Seconds(start);
    if (FAILED(loaded)) {
      fprintf(stderr, "the lists could not be loaded: 0x%08lX\n", static_cast<unsigned long>(loaded));
      return 1;
    }
    loadPerCharacter.push_back(load / static_cast<double>(characters));
    const double listBase = lower.Best(all, 3);
    printf("load %u templates x %u keywords (%zu characters): %.1f ms, %.1f x one lower-casing pass over the lists\n",
           layout.templates, layout.keywords, characters, load * 1e3, load / listBase);
    printf("  the stand-in's hand-over and first count %.1f ms; the module's own share %.1f ms = %.1f x the pass\n",
           standIn * 1e3, (load - standIn) * 1e3, (load - standIn) / listBase);
    const Shares smallShares = Measure(*analyzer.Get(), timed, small, 15);
    const Shares largeShares = Measure(*analyzer.Get(), timed, large, 5);
    Print("64 KB", smallShares, smallBase);
    Print("8 MB", largeShares, largeBase);
    printf("  growth of the module's Analyze from 64 KB to 8 MB: %.0f (text x128)\n",
           largeShares.module / smallShares.module);
  }
  printf("loading time per list character, 100 x 5000 against 1000 x 50: %.2f (1 = linear in the list size)\n",
         loadPerCharacter[1] / loadPerCharacter[0]);
  printf("whole run: processor %.1f s, clock %.1f s\n", ProcessCpuSeconds() - cpuAtStart, Seconds(runStart));
  return 0;
}
