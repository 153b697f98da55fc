// The template analyzer that the analyzer source hands out, in place of the
// AOT module's: it ranks the templates of its direction for a text by the
// hits of each template's keywords (the source-language words of the
// template's own word list), best first; equal weights keep the direction's
// order. Names in the ranked list are template ids; GetTemplateKeywords
// answers the keyword report of a ranked template, as the AOT module does:
// one line "<hits> <keyword>" for each keyword the text holds.
//
// Switches (see Switches.h) make it answer fewer interfaces, repeat a name in
// its ranked list, find nothing, or tie the first two weights. DlgSelectTemplate
// asks with a message box over the foreground window; OK takes the best template.
#include <algorithm>
#include <span>
#include <utility>
#include <vector>

#include "CallGuard.h"
#include "KernelData.h"
#include "KernelObjects.h"
#include "KernelTypeLibraries.h"
#include "OMBREL.h"
#include "Reports.h"
#include "Switches.h"
#include "TextUtil.h"
#include "platform/base/Handles.h"
#include "platform/com/ComObject.h"
#include "platform/com/Dispatch.h"

namespace kernelstandin {
namespace {

using platform::ComError;
using platform::InterfaceOf;

constexpr unsigned int kRecommendedTextLength = 1024;
constexpr wchar_t kChoiceCaption[] = L"Template analyzer";

struct RankedEntry {
  std::wstring name;    // template id
  std::wstring title;   // the template's display name
  std::wstring report;  // its keyword report
  unsigned short weight = 0;
};

// The templates of the direction with at least one keyword hit, best first.
std::vector<RankedEntry> Rank(const DirectionInfo& direction, std::wstring_view text) {
  const auto counts = CountWords(text);
  std::vector<RankedEntry> ranked;
  for (const TemplateInfo& t : direction.templates) {
    unsigned hits = 0;
    std::wstring report;
    for (const std::wstring& keyword : t.keywords) {
      auto found = counts.find(keyword);
      if (found == counts.end()) continue;
      hits += found->second;
      report += std::to_wstring(found->second) + L" " + keyword + L"\r\n";
    }
    if (hits > 0) ranked.push_back({t.id, t.name, report, static_cast<unsigned short>(std::min(hits, 0xFFFFu))});
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const RankedEntry& a, const RankedEntry& b) { return a.weight > b.weight; });
  return ranked;
}

// The direction id of an Initialize argument: missing is 0, VT_I4 its value.
long DirectionArgument(const VARIANT& varDir) {
  if (varDir.vt == VT_EMPTY || varDir.vt == VT_ERROR) return 0;
  if (varDir.vt == VT_I4) return varDir.lVal;
  throw ComError(E_INVALIDARG, L"direction argument of another type");
}

class TemplateAnalyzer
    : public platform::Dispatch<INorva10TemplateAnalyzer, kOmbrelLib, INorva5TemplateAnalyzer> {
 public:
  // INorva5TemplateAnalyzer
  HRESULT STDMETHODCALLTYPE get_DirID(LONG* pVal) override {
    return KernelCall(L"INorva5TemplateAnalyzer.get_DirID", [&] {
      RequireOut(pVal);
      *pVal = dirId_;
    });
  }
  HRESULT STDMETHODCALLTYPE put_DirID(LONG newVal) override {
    return KernelCall(L"INorva5TemplateAnalyzer.put_DirID", [&] { SetDirection(newVal); });
  }
  HRESULT STDMETHODCALLTYPE get_Template(BSTR* pVal) override {
    return KernelCall(L"INorva5TemplateAnalyzer.get_Template", [&] { PutText(pVal, template_); });
  }
  HRESULT STDMETHODCALLTYPE get_RecommendedTextLength(UINT* pVal) override {
    return KernelCall(L"INorva5TemplateAnalyzer.get_RecommendedTextLength", [&] {
      RequireOut(pVal);
      *pVal = kRecommendedTextLength;
    });
  }
  HRESULT STDMETHODCALLTYPE Initialize(BSTR Client, VARIANT varDir) override {
    return KernelCall(L"INorva5TemplateAnalyzer.Initialize", [&] { Prepare(L"Initialize", Client, nullptr, varDir); });
  }
  HRESULT STDMETHODCALLTYPE Analyze(BSTR Source, IUnknown*) override {
    // The document argument is not used: the stand-in's documents keep no template.
    return KernelCall(L"INorva5TemplateAnalyzer.Analyze", [&] { return AnalyzeText(platform::BstrView(Source)); });
  }
  HRESULT STDMETHODCALLTYPE AnalyzeFile(BSTR Source, IUnknown*) override {
    return KernelCall(L"INorva5TemplateAnalyzer.AnalyzeFile", [&] { return AnalyzeText(ReadFileHead(Source)); });
  }
  HRESULT STDMETHODCALLTYPE DlgSetup() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AdjustDocument(BSTR Source, IUnknown* pDoc) override { return Analyze(Source, pDoc); }
  HRESULT STDMETHODCALLTYPE get_DefaultTemplate(BSTR* pVal) override {
    return KernelCall(L"INorva5TemplateAnalyzer.get_DefaultTemplate", [&] { PutText(pVal, defaultTemplate_); });
  }
  HRESULT STDMETHODCALLTYPE put_DefaultTemplate(BSTR newVal) override {
    return KernelCall(L"INorva5TemplateAnalyzer.put_DefaultTemplate", [&] {
      defaultTemplate_ = std::wstring(platform::BstrView(newVal));
      if (template_.empty()) template_ = defaultTemplate_;
    });
  }
  HRESULT STDMETHODCALLTYPE get_NextTemplate(BSTR CurrVal, BSTR* pVal) override {
    return KernelCall(L"INorva5TemplateAnalyzer.get_NextTemplate", [&]() -> HRESULT {
      RequireOut(pVal);
      const std::wstring_view current = platform::BstrView(CurrVal);
      for (size_t i = 0; i + 1 < ranked_.size(); ++i) {
        if (ranked_[i].name == current) {
          PutText(pVal, ranked_[i + 1].name);
          return S_OK;
        }
      }
      return S_FALSE;
    });
  }
  // The switch "AnalyzerAdvice" (";"-separated) is the advice: the first
  // item is the best, each item's next is the one after its first place, so
  // an item named twice brings the chain back round. Without it, none.
  HRESULT STDMETHODCALLTYPE get_BestAdvice(LONG* p_bDict, BSTR* pVal) override {
    return KernelCall(L"INorva5TemplateAnalyzer.get_BestAdvice", [&] {
      const auto advice = SplitFields(Switches::Text(L"AnalyzerAdvice"), L';');
      if (advice.front().empty()) return NoAdvice(p_bDict, pVal);
      return Advice(advice.front(), p_bDict, pVal);
    });
  }
  HRESULT STDMETHODCALLTYPE get_NextAdvice(LONG, BSTR CurrVal, LONG* p_bDict, BSTR* pVal) override {
    return KernelCall(L"INorva5TemplateAnalyzer.get_NextAdvice", [&] {
      const auto advice = SplitFields(Switches::Text(L"AnalyzerAdvice"), L';');
      const std::wstring_view current = platform::BstrView(CurrVal);
      for (size_t i = 0; i + 1 < advice.size(); ++i) {
        if (advice[i] != current) continue;
        return advice[i + 1].empty() ? NoAdvice(p_bDict, pVal) : Advice(advice[i + 1], p_bDict, pVal);
      }
      return NoAdvice(p_bDict, pVal);
    });
  }
  HRESULT STDMETHODCALLTYPE Initialize2(BSTR Client, IUnknown* pLogon, VARIANT varDir) override {
    return KernelCall(L"INorva5TemplateAnalyzer.Initialize2",
                      [&] { Prepare(L"Initialize2", Client, pLogon, varDir); });
  }
  HRESULT STDMETHODCALLTYPE DlgSetup2(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AutoSetup(BSTR) override { return E_NOTIMPL; }

  // INorva8TemplateAnalyzer
  HRESULT STDMETHODCALLTYPE GetTemplateKeywords(BSTR name, BSTR* report) override {
    return KernelCall(L"INorva8TemplateAnalyzer.GetTemplateKeywords",
                      [&] { PutText(report, Entry(platform::BstrView(name)).report); });
  }

  // INorva9TemplateAnalyzer
  HRESULT STDMETHODCALLTYPE GetTemplateWeight(BSTR name, USHORT* weight) override {
    return KernelCall(L"INorva9TemplateAnalyzer.GetTemplateWeight", [&] {
      RequireOut(weight);
      *weight = Entry(platform::BstrView(name)).weight;
    });
  }

  // INorva10TemplateAnalyzer
  HRESULT STDMETHODCALLTYPE DlgSelectTemplate(BSTR Source, HRESULT* phr, BSTR* pTemplate) override {
    HRESULT hr = KernelCall(L"INorva10TemplateAnalyzer.DlgSelectTemplate", [&]() -> HRESULT {
      if (!pTemplate) return E_INVALIDARG;
      HRESULT analyzed = AnalyzeText(platform::BstrView(Source));
      if (analyzed != S_OK) return analyzed;
      if (!AskForTheBest()) return E_ABORT;
      PutText(pTemplate, ranked_.front().name);
      return S_OK;
    });
    if (phr) *phr = hr;
    return hr;
  }

 private:
  void SetDirection(long dirId) {
    if (dirId == dirId_) return;
    dirId_ = dirId;
    template_.clear();
    defaultTemplate_.clear();
    ranked_.clear();
  }

  void Prepare(const wchar_t* how, BSTR client, IUnknown* logon, const VARIANT& varDir) {
    const long dirId = DirectionArgument(varDir);
    client_ = std::wstring(platform::BstrView(client));
    logon_ = platform::ComPtr<IUnknown>::Share(logon);
    SetDirection(dirId);
    Reports::SetText(L"AnalyzerInitialize", how);
    Reports::SetText(L"AnalyzerClient", client_);
    Reports::SetNumber(L"AnalyzerDirID", static_cast<DWORD>(dirId));
    Reports::SetNumber(L"AnalyzerLogOn", logon ? 1 : 0);
  }

  // S_OK when templates were ranked, S_FALSE when no keyword was found.
  HRESULT AnalyzeText(std::wstring_view text) {
    const DirectionInfo* direction = dirId_ > 0 ? KernelData::Installed()->FindDirection(dirId_) : nullptr;
    if (!direction) throw ComError(E_FAIL, L"analysis without a direction of the kernel");
    template_ = defaultTemplate_;
    ranked_.clear();
    if (Switches::Number(L"AnalyzerFindsNothing")) return S_FALSE;
    ranked_ = Rank(*direction, text);
    if (ranked_.empty()) return S_FALSE;
    if (Switches::Number(L"AnalyzerTiedTop") && ranked_.size() > 1) ranked_[1].weight = ranked_[0].weight;
    // A faulty analyzer whose list comes back to its first name: [A, B, A].
    if (Switches::Number(L"AnalyzerRepeatsNames")) ranked_.push_back(ranked_.front());
    template_ = ranked_.front().name;
    return S_OK;
  }

  // The file's first bytes (at most the recommended length) as UTF-16LE text.
  static std::wstring ReadFileHead(BSTR path) {
    platform::UniqueFileHandle file(CreateFileW(platform::Bstr(platform::BstrView(path)).CStr(), GENERIC_READ,
                                                FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) throw ComError(E_FAIL, L"the file cannot be opened");
    std::wstring text(kRecommendedTextLength / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    BOOL ok = ReadFile(file.Get(), text.data(), kRecommendedTextLength, &read, nullptr);
    if (!ok) throw ComError(E_FAIL, L"the file cannot be read");
    text.resize(read / sizeof(wchar_t));
    return text;
  }

  static HRESULT Advice(const std::wstring& item, LONG* p_bDict, BSTR* pVal) {
    RequireOut(p_bDict);
    *p_bDict = 1;
    PutText(pVal, item);
    return S_OK;
  }
  static HRESULT NoAdvice(LONG* p_bDict, BSTR* pVal) {
    RequireOut(p_bDict);
    *p_bDict = 1;
    PutText(pVal, L"");
    return S_FALSE;
  }

  const RankedEntry& Entry(std::wstring_view name) const {
    for (const RankedEntry& entry : ranked_)
      if (entry.name == name) return entry;
    throw ComError(E_INVALIDARG, L"the template is not in the ranked list");
  }

  // Shows the ranked templates over the foreground window; true on OK.
  bool AskForTheBest() const {
    std::wstring text = L"Templates that fit the text:\r\n";
    for (const RankedEntry& entry : ranked_)
      text += entry.title + L" (" + std::to_wstring(entry.weight) + L")\r\n";
    text += L"\r\nTake \"" + ranked_.front().title + L"\"?";
    return MessageBoxW(GetForegroundWindow(), text.c_str(), kChoiceCaption, MB_OKCANCEL | MB_SETFOREGROUND) == IDOK;
  }

  std::wstring client_;
  platform::ComPtr<IUnknown> logon_;
  long dirId_ = 0;
  std::wstring template_;
  std::wstring defaultTemplate_;
  std::vector<RankedEntry> ranked_;
};

// The analyzer answering the interfaces up to INorva<Level>TemplateAnalyzer,
// in the order of the module's interface map.
template <int Level>
class AnalyzerOfLevel : public TemplateAnalyzer {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    using T = AnalyzerOfLevel;
    static const std::vector<platform::InterfaceEntry> answered = [] {
      const std::pair<int, platform::InterfaceEntry> map[] = {
          {5, InterfaceOf<T, IDispatch, INorva10TemplateAnalyzer>()},
          {10, InterfaceOf<T, INorva10TemplateAnalyzer>()},
          {9, InterfaceOf<T, INorva9TemplateAnalyzer>()},
          {8, InterfaceOf<T, INorva8TemplateAnalyzer>()},
          {5, InterfaceOf<T, INorva5TemplateAnalyzer>()},
      };
      std::vector<platform::InterfaceEntry> entries;
      for (const auto& [level, entry] : map)
        if (level <= Level) entries.push_back(entry);
      return entries;
    }();
    return answered;
  }
};

}  // namespace

ComPtr<IUnknown> NewTemplateAnalyzer() {
  switch (Switches::Number(L"AnalyzerLevel", 10)) {
    case 5: return platform::MakeComObject<AnalyzerOfLevel<5>>().As<IUnknown>();
    case 8: return platform::MakeComObject<AnalyzerOfLevel<8>>().As<IUnknown>();
    case 9: return platform::MakeComObject<AnalyzerOfLevel<9>>().As<IUnknown>();
    default: return platform::MakeComObject<AnalyzerOfLevel<10>>().As<IUnknown>();
  }
}

}  // namespace kernelstandin
