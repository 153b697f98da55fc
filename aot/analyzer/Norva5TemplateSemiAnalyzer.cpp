#include "analyzer/Norva5TemplateSemiAnalyzer.h"

#include <unordered_set>

#include "analyzer/KeywordListText.h"
#include "dialogs/AOTDlg.h"
#include "dialogs/SetupDlg.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

namespace ombrel {

platform::TypeLibrary kOmbrelLib(LIBID_OMBRELLib, 1, 0);

using platform::Bstr;
using platform::BstrView;
using platform::ComBoundary;
using platform::ComError;
using platform::ComPtr;
using platform::InterfaceOf;
using platform::ThrowIfFailed;

namespace {

void PutText(BSTR* out, std::wstring_view text) {
  *out = nullptr;
  *out = Bstr(text).Detach();
  if (!*out) throw std::bad_alloc();
}

// A method that fills an out-parameter: null is refused, and the parameter
// is cleared whenever the method fails.
template <class T, class Body>
HRESULT WithOut(T* out, T cleared, Body&& body) noexcept {
  if (!out) return E_INVALIDARG;
  HRESULT hr = ComBoundary(std::forward<Body>(body));
  if (FAILED(hr)) *out = cleared;
  return hr;
}

}  // namespace

std::span<const platform::InterfaceEntry> CNorva5TemplateSemiAnalyzer::Interfaces() {
  using T = CNorva5TemplateSemiAnalyzer;
  static const platform::InterfaceEntry table[] = {
      InterfaceOf<T, IDispatch, INorva10TemplateAnalyzer>(),
      InterfaceOf<T, INorva10TemplateAnalyzer>(),
      InterfaceOf<T, INorva9TemplateAnalyzer>(),
      InterfaceOf<T, INorva8TemplateAnalyzer>(),
      InterfaceOf<T, INorva5TemplateAnalyzer>(),
  };
  return table;
}

HRESULT CNorva5TemplateSemiAnalyzer::LoadKeywords() {
  // A retry after a failure must not hand any list twice.
  ResetKeywords();
  ThrowIfFailed(keywordAnalyzer_->SetDirection(dirId_), L"giving the analyser the direction");
  VARIANT direction;
  VariantInit(&direction);
  direction.vt = VT_I4;
  direction.lVal = dirId_;
  ComPtr<IDispatch> listObject;
  HRESULT hr = templateManager_->GetTemplates(direction, listObject.Receive());
  if (FAILED(hr)) return hr;
  ComPtr<KernelTemplateList> list = listObject.Query<KernelTemplateList>();
  SHORT count = 0;
  ThrowIfFailed(list->GetCount(&count), L"counting the templates");
  const WORD source = static_cast<WORD>(dirId_ & 0xFFFF);
  for (SHORT i = 0; i < count; ++i) {
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I2;
    index.iVal = i;
    ComPtr<IDispatch> item;
    ThrowIfFailed(list->GetItem(index, item.Receive()), L"a template of the direction");
    ComPtr<KernelTemplate> templ = item.Query<KernelTemplate>();
    Dictionary words = ReadDictionary(templ.Get(), kKeywordDictionary);
    bool legacy = false;
    if (!words.present) {
      words = ReadDictionary(templ.Get(), kLegacyKeywordDictionary);
      legacy = true;
    }
    Bstr name;
    hr = templ->GetName(name.Receive());
    if (!words.present) continue;
    std::optional<std::wstring> text =
        legacy ? DecodeLegacyList(words.bytes, source) : std::optional<std::wstring>(DecodeUtf16List(words.bytes));
    if (!text) continue;  // a legacy list without the character library
    keywordAnalyzer_->AddKeywords(name.Get(), Bstr(AnalyzerTextOf(*text)).Get());
  }
  return hr;
}

HRESULT CNorva5TemplateSemiAnalyzer::AnalyzeText(BSTR text) {
  SetTemplate(defaultTemplate_);
  ranked_.clear();
  std::vector<RankedTemplate> kept;
  HRESULT hr = ComBoundary([&] {
    ThrowIfFailed(keywordAnalyzer_->Analyze(text), L"analysing the text");
    Bstr best;
    ThrowIfFailed(keywordAnalyzer_->GetBestTemplate(best.Receive()), L"the best template");
    // No template matched: the default template stays.
    if (!best.Empty()) SetTemplate(best.Str());
    LONG count = 0;
    ThrowIfFailed(keywordAnalyzer_->GetCount(&count), L"counting the results");
    for (LONG i = 0; i < count; ++i) {
      RankedTemplate entry;
      ThrowIfFailed(keywordAnalyzer_->GetWeight(i, &entry.weight));
      Bstr name, report;
      ThrowIfFailed(keywordAnalyzer_->GetName(i, name.Receive()));
      ThrowIfFailed(keywordAnalyzer_->GetReport(i, report.Receive()));
      if (entry.weight == 0) continue;
      entry.name = name.Str();
      entry.report = report.Str();
      kept.push_back(std::move(entry));
    }
  });
  if (FAILED(hr)) {
    // Nothing of a failed analysis stands: the default template serves.
    SetTemplate(defaultTemplate_);
    return hr;
  }
  // Exchange sort, largest weight first (unsigned compare), of the entries'
  // places: the names and reports move once, into the ranked list.
  std::vector<size_t> order(kept.size());
  std::vector<unsigned short> weights(kept.size());
  for (size_t i = 0; i < kept.size(); ++i) {
    order[i] = i;
    weights[i] = kept[i].weight;
  }
  for (size_t j = 0; j + 1 < order.size(); ++j)
    for (size_t k = j + 1; k < order.size(); ++k)
      if (weights[j] < weights[k]) {
        std::swap(weights[j], weights[k]);
        std::swap(order[j], order[k]);
      }
  // A name appears once, so that a walk by names ends at the list's end.
  std::unordered_set<std::wstring_view> seen;
  std::vector<size_t> firsts;
  for (size_t place : order)
    if (seen.insert(kept[place].name).second) firsts.push_back(place);
  ranked_.reserve(firsts.size());
  for (size_t place : firsts) ranked_.push_back(std::move(kept[place]));
  return ranked_.empty() ? S_FALSE : S_OK;
}

const RankedTemplate* CNorva5TemplateSemiAnalyzer::Find(std::wstring_view name) const {
  for (const RankedTemplate& entry : ranked_)
    if (entry.name == name) return &entry;
  return nullptr;
}

HRESULT CNorva5TemplateSemiAnalyzer::get_DirID(LONG* pVal) {
  if (!pVal) return E_INVALIDARG;
  *pVal = dirId_;
  return S_OK;
}

HRESULT CNorva5TemplateSemiAnalyzer::put_DirID(LONG newVal) {
  return ComBoundary([&] { SetDirID(newVal); });
}

HRESULT CNorva5TemplateSemiAnalyzer::get_Template(BSTR* pVal) {
  return WithOut<BSTR>(pVal, nullptr, [&] { PutText(pVal, template_); });
}

HRESULT CNorva5TemplateSemiAnalyzer::get_RecommendedTextLength(UINT* pVal) {
  if (!pVal) return E_INVALIDARG;
  *pVal = RecommendedTextLength();
  return S_OK;
}

HRESULT CNorva5TemplateSemiAnalyzer::Initialize(BSTR Client, VARIANT varDir) {
  return ComBoundary([&] { return CTemplateFileAnalyzer::Initialize(BstrView(Client), varDir); });
}

HRESULT CNorva5TemplateSemiAnalyzer::Initialize2(BSTR Client, IUnknown* pLogon, VARIANT varDir) {
  return ComBoundary([&] { return CTemplateFileAnalyzer::Initialize2(BstrView(Client), pLogon, varDir); });
}

HRESULT CNorva5TemplateSemiAnalyzer::Analyze(BSTR Source, IUnknown* pDoc) {
  return ComBoundary([&] { return CTemplateFileAnalyzer::Analyze(Source, pDoc); });
}

HRESULT CNorva5TemplateSemiAnalyzer::AdjustDocument(BSTR Source, IUnknown* pDoc) { return Analyze(Source, pDoc); }

HRESULT CNorva5TemplateSemiAnalyzer::AnalyzeFile(BSTR Source, IUnknown* pDoc) {
  return ComBoundary([&] { return CTemplateFileAnalyzer::AnalyzeFile(std::wstring(BstrView(Source)), pDoc); });
}

HRESULT CNorva5TemplateSemiAnalyzer::get_DefaultTemplate(BSTR* pVal) {
  return WithOut<BSTR>(pVal, nullptr, [&] { PutText(pVal, defaultTemplate_); });
}

HRESULT CNorva5TemplateSemiAnalyzer::put_DefaultTemplate(BSTR newVal) {
  return ComBoundary([&] { SetDefaultTemplate(BstrView(newVal)); });
}

HRESULT CNorva5TemplateSemiAnalyzer::get_NextTemplate(BSTR CurrVal, BSTR* pVal) {
  if (!pVal) return E_INVALIDARG;
  // The answer stays untouched with S_FALSE: callers rely on it.
  return ComBoundary([&]() -> HRESULT {
    const std::wstring_view current = BstrView(CurrVal);
    for (size_t i = 0; i + 1 < ranked_.size(); ++i) {
      if (ranked_[i].name == current) {
        PutText(pVal, ranked_[i + 1].name);
        return S_OK;
      }
    }
    return S_FALSE;
  });
}

HRESULT CNorva5TemplateSemiAnalyzer::get_BestAdvice(LONG* p_bDict, BSTR* pVal) {
  if (!p_bDict || !pVal) return E_INVALIDARG;
  *p_bDict = 1;
  HRESULT hr = ComBoundary([&] { PutText(pVal, L""); });
  return FAILED(hr) ? hr : S_FALSE;
}

HRESULT CNorva5TemplateSemiAnalyzer::get_NextAdvice(LONG, BSTR, LONG* p_bDict, BSTR* pVal) {
  return get_BestAdvice(p_bDict, pVal);
}

HRESULT CNorva5TemplateSemiAnalyzer::GetTemplateKeywords(BSTR name, BSTR* report) {
  return WithOut<BSTR>(report, nullptr, [&]() -> HRESULT {
    const RankedTemplate* entry = Find(BstrView(name));
    if (!entry) return E_INVALIDARG;
    PutText(report, entry->report);
    return S_OK;
  });
}

HRESULT CNorva5TemplateSemiAnalyzer::GetTemplateWeight(BSTR name, USHORT* weight) {
  return WithOut<USHORT>(weight, 0, [&]() -> HRESULT {
    const RankedTemplate* entry = Find(BstrView(name));
    if (!entry) return E_INVALIDARG;
    *weight = entry->weight;
    return S_OK;
  });
}

HRESULT CNorva5TemplateSemiAnalyzer::DlgSelectTemplate(BSTR Source, HRESULT* phr, BSTR* pTemplate) {
  HRESULT hr = [&]() -> HRESULT {
    if (!pTemplate) return E_INVALIDARG;
    *pTemplate = nullptr;
    return ComBoundary([&]() -> HRESULT {
      HRESULT analyzed = CTemplateFileAnalyzer::Analyze(Source, nullptr);
      if (analyzed != S_OK) return analyzed;
      // The records from the best template to the end of the ranked list.
      std::vector<ResultRecord> records;
      size_t start = 0;
      while (start < ranked_.size() && ranked_[start].name != template_) ++start;
      if (start == ranked_.size()) return E_INVALIDARG;
      for (size_t i = start; i < ranked_.size(); ++i)
        records.push_back({ranked_[i].name, ranked_[i].report, ranked_[i].weight});
      std::optional<std::wstring> chosen = CAOTDlg::Choose(records, GetForegroundWindow());
      if (!chosen) return E_ABORT;
      PutText(pTemplate, *chosen);
      return S_OK;
    });
  }();
  if (phr) *phr = hr;
  return hr;
}

HRESULT CNorva5TemplateSemiAnalyzer::RunSetup(HWND parent) {
  if (!templateManager_) return kNotReady;
  return CSetupDlg::Run(templateManager_.Get(), nullptr, dirId_, L"", parent);
}

HRESULT CNorva5TemplateSemiAnalyzer::DlgSetup() {
  return ComBoundary([&] { return RunSetup(nullptr); });
}

HRESULT CNorva5TemplateSemiAnalyzer::DlgSetup2(LONG lWnd) {
  return ComBoundary([&]() -> HRESULT {
    if (!templateManager_) return kNotReady;
    HWND parent = reinterpret_cast<HWND>(static_cast<LONG_PTR>(lWnd));
    return CSetupDlg::Run(templateManager_.Get(), SetupDocument().Get(), dirId_, defaultTemplate_,
                          IsWindow(parent) ? parent : nullptr);
  });
}

HRESULT CNorva5TemplateSemiAnalyzer::AutoSetup(BSTR Words) {
  return ComBoundary([&]() -> HRESULT {
    if (!templateManager_) return kNotReady;
    return CSetupDlg::AutoSetup(templateManager_.Get(), SetupDocument().Get(), dirId_, defaultTemplate_,
                                std::wstring(BstrView(Words)));
  });
}

platform::ComPtr<IUnknown> NewTemplateSemiAnalyzer() {
  return platform::MakeComObject<CNorva5TemplateSemiAnalyzer>().As<IUnknown>();
}

}  // namespace ombrel
