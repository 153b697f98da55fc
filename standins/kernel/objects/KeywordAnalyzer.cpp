// Keyword analyzer: counts the keywords of each template's list in a text,
// whole words without regard to case, all lists in one pass over the text.
// Weight of a template: the number of hits of its words (capped at 65535);
// the report has one line per word found, in list order: count, blank, "1",
// blank, word.
#include <algorithm>
#include <cstdint>
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
      owners_.clear();
      results_.clear();
      matcher_ = KeywordMatcher();
    });
  }
  HRESULT STDMETHODCALLTYPE AddKeywords(BSTR templateName, BSTR words) override {
    return KernelCall(L"INrvaKeywordAnalyzer.AddKeywords", [&] {
      const uint32_t listIndex = static_cast<uint32_t>(lists_.size());
      const std::wstring lower = ToLower(platform::BstrView(words));
      std::vector<std::wstring> list;
      for (size_t start = 0; start < lower.size();) {
        size_t end = lower.find(L'\n', start);
        if (end == std::wstring::npos) end = lower.size();
        std::wstring_view word(lower.data() + start, end - start);
        start = end + 1;
        if (!word.empty() && word.back() == L'\r') word.remove_suffix(1);
        if (word.empty()) continue;
        const size_t id = matcher_.Add(word);
        if (owners_.size() <= id) owners_.resize(id + 1);
        owners_[id] = {listIndex, static_cast<uint32_t>(list.size())};
        list.emplace_back(word);
      }
      lists_.emplace_back(std::wstring(platform::BstrView(templateName)), std::move(list));
    });
  }
  HRESULT STDMETHODCALLTYPE Analyze(BSTR text) override {
    return KernelCall(L"INrvaKeywordAnalyzer.Analyze", [&] {
      // Only the words found cost: each hit goes to its list, in list order.
      std::vector<std::pair<std::pair<uint32_t, uint32_t>, unsigned>> found;
      for (const KeywordMatcher::Hit& hit : matcher_.Count(platform::BstrView(text)))
        found.emplace_back(owners_[hit.word], hit.count);
      std::sort(found.begin(), found.end());
      results_.clear();
      results_.reserve(lists_.size());
      for (const auto& [name, list] : lists_) results_.push_back(Result{name, 0, {}});
      std::vector<unsigned> totals(lists_.size(), 0);
      for (const auto& [owner, count] : found) {
        const auto [listIndex, position] = owner;
        unsigned& total = totals[listIndex];
        total = std::min(total + count, 0xFFFFu);
        Result& result = results_[listIndex];
        result.weight = static_cast<unsigned short>(total);
        result.report += std::to_wstring(count) + L" 1 " + lists_[listIndex].second[position] + L"\r\n";
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
  // Each template's name and lower-case words, in list order.
  std::vector<std::pair<std::wstring, std::vector<std::wstring>>> lists_;
  std::vector<std::pair<uint32_t, uint32_t>> owners_;  // word id -> (list, position in it)
  KeywordMatcher matcher_;
  std::vector<Result> results_;
};

}  // namespace

ComPtr<IUnknown> NewKeywordAnalyzer() { return platform::MakeComObject<KeywordAnalyzer>().As<IUnknown>(); }

}  // namespace kernelstandin
