// Keyword analyzer: counts the keywords of each template's list in a text,
// whole words without regard to case, all lists in one pass over the text.
// Weight of a template: the number of hits of its words (capped at 65535);
// the report has one line per word found, in list order: count, blank, "1",
// blank, word.
#include <algorithm>
#include <map>
#include <span>

#include "CallGuard.h"
#include "KeywordMatcher.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "TextUtil.h"
#include "platform/com/ComObject.h"

namespace kernelstandin {
namespace {

using platform::ComError;
using platform::InterfaceOf;

struct Result {
  std::wstring name;
  unsigned short weight = 0;
  std::wstring report;
};

class KeywordAnalyzer : public Stubs<INrvaKeywordAnalyzer> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<KeywordAnalyzer, INrvaKeywordAnalyzer>(),
        InterfaceOf<KeywordAnalyzer, IDispatch, INrvaKeywordAnalyzer>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE SetDirection(LONG dirId) override {
    return KernelCall(L"INrvaKeywordAnalyzer.SetDirection", [&] { dirId_ = dirId; });
  }
  HRESULT STDMETHODCALLTYPE ResetKeywords() override {
    return KernelCall(L"INrvaKeywordAnalyzer.ResetKeywords", [&] {
      lists_.clear();
      results_.clear();
      matcher_ = KeywordMatcher();
    });
  }
  HRESULT STDMETHODCALLTYPE AddKeywords(BSTR templateName, BSTR words) override {
    return KernelCall(L"INrvaKeywordAnalyzer.AddKeywords", [&] {
      std::vector<std::pair<std::wstring, size_t>> list;
      for (const std::wstring& line : SplitFields(std::wstring(platform::BstrView(words)), L'\n')) {
        std::wstring word = line;
        if (!word.empty() && word.back() == L'\r') word.pop_back();
        if (word.empty()) continue;
        word = ToLower(word);
        list.emplace_back(word, matcher_.Add(word));
      }
      lists_.emplace_back(std::wstring(platform::BstrView(templateName)), std::move(list));
    });
  }
  HRESULT STDMETHODCALLTYPE Analyze(BSTR text) override {
    return KernelCall(L"INrvaKeywordAnalyzer.Analyze", [&] {
      const std::vector<unsigned> hits = matcher_.Count(platform::BstrView(text));
      results_.clear();
      for (const auto& [name, list] : lists_) {
        Result result{name, 0, {}};
        unsigned total = 0;
        for (const auto& [word, id] : list) {
          const unsigned count = hits[id];
          if (count == 0) continue;
          total = std::min(total + count, 0xFFFFu);
          result.report += std::to_wstring(count) + L" 1 " + word + L"\r\n";
        }
        result.weight = static_cast<unsigned short>(std::min(total, 0xFFFFu));
        results_.push_back(std::move(result));
      }
    });
  }
  HRESULT STDMETHODCALLTYPE GetBestTemplate(BSTR* name) override {
    return KernelCall(L"INrvaKeywordAnalyzer.GetBestTemplate", [&] {
      const Result* best = nullptr;
      for (const Result& r : results_)
        if (r.weight > 0 && (!best || r.weight > best->weight)) best = &r;
      PutText(name, best ? best->name : std::wstring());
    });
  }
  HRESULT STDMETHODCALLTYPE GetCount(LONG* count) override {
    return KernelCall(L"INrvaKeywordAnalyzer.GetCount", [&] {
      RequireOut(count);
      *count = static_cast<LONG>(results_.size());
    });
  }
  HRESULT STDMETHODCALLTYPE GetWeight(LONG index, USHORT* weight) override {
    return KernelCall(L"INrvaKeywordAnalyzer.GetWeight", [&] {
      RequireOut(weight);
      *weight = At(index).weight;
    });
  }
  HRESULT STDMETHODCALLTYPE GetName(LONG index, BSTR* name) override {
    return KernelCall(L"INrvaKeywordAnalyzer.GetName", [&] { PutText(name, At(index).name); });
  }
  HRESULT STDMETHODCALLTYPE GetReport(LONG index, BSTR* report) override {
    return KernelCall(L"INrvaKeywordAnalyzer.GetReport", [&] { PutText(report, At(index).report); });
  }

 private:
  const Result& At(LONG index) const {
    if (index < 0 || static_cast<size_t>(index) >= results_.size()) throw ComError(E_INVALIDARG);
    return results_[static_cast<size_t>(index)];
  }

  LONG dirId_ = 0;
  std::vector<std::pair<std::wstring, std::vector<std::pair<std::wstring, size_t>>>> lists_;
  KeywordMatcher matcher_;
  std::vector<Result> results_;
};

}  // namespace

ComPtr<IUnknown> NewKeywordAnalyzer() { return platform::MakeComObject<KeywordAnalyzer>().As<IUnknown>(); }

}  // namespace kernelstandin
