#include "browserproxy/kernel/KernelAotService.h"

#include <set>
#include <utility>

#include "browserproxy/kernel/KernelObject.h"
#include "browserproxy/kernel/KernelSession.h"
#include "browserproxy/kernel/KernelTemplateNames.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/Variant.h"

using platform::Bstr;
using platform::ComError;
using platform::ComPtr;
using platform::ThrowIfFailed;
using platform::Variant;

namespace {

constexpr long kAnalyzerKind = 1;
constexpr long kSecondAnalyzerKind = 2;

// first, then the names that get_NextTemplate links after it, at most limit
// in all (first always): an analyzer whose ranked list comes back to a name it
// gave before would otherwise be walked for ever.
std::vector<std::wstring> RankedNames(INorva5TemplateAnalyzer* analyzer, const std::wstring& first, size_t limit) {
  std::vector<std::wstring> names{first};
  Bstr current(first);
  while (names.size() < limit) {
    Bstr next;
    ThrowIfFailed(analyzer->get_NextTemplate(current.Get(), next.Receive()), L"next template");
    if (next.Empty()) break;
    names.push_back(next.Str());
    current = std::move(next);
  }
  return names;
}

unsigned short WeightOf(const RankedTemplate& entry) { return static_cast<unsigned short>(entry.second.second); }

}  // namespace

ComPtr<INorva5TemplateAnalyzer> CKernelAotService::GetAnalyzer(long directionId) {
  try {
    if (!analyzerSource_ && FAILED(kernel_object::TryCreate(CLSID_NrvaAnalyzerSource, &analyzerSource_))) return {};
    ComPtr<INorva5TemplateAnalyzer> analyzer;
    long available = 0;
    ThrowIfFailed(analyzerSource_->IsAvailable(kAnalyzerKind, &available), L"analyzer availability");
    if (available != 0) {
      ComPtr<IUnknown> object;
      ThrowIfFailed(analyzerSource_->GetAnalyzer(kAnalyzerKind, object.Receive()), L"template analyzer");
      analyzer = object.As<INorva5TemplateAnalyzer>();
    }
    if (!analyzer) throw ComError(E_POINTER, L"no template analyzer");
    Bstr client(session_.ClientName());
    Variant direction = Variant::FromInt32(directionId);
    if (session_.IsAttached())
      ThrowIfFailed(analyzer->Initialize2(client.Get(), session_.Control().Get(), direction.Get()), L"analyzer set-up");
    else
      ThrowIfFailed(analyzer->Initialize(client.Get(), direction.Get()), L"analyzer set-up");
    return analyzer;
  } catch (...) {
    session_.ReportCaught();
    return {};
  }
}

ComPtr<INrvaTemplateList> CKernelAotService::TemplatesOfDirection(long directionId) {
  ComPtr<IDispatch> list;
  ThrowIfFailed(session_.ContextDirections()->GetTemplates(Variant::FromInt32(directionId).Get(), list.Receive()),
                L"template list");
  if (!list) throw ComError(E_POINTER, L"the kernel handed out no template list");
  return list.Query<INrvaTemplateList>();
}

ComPtr<INrvaTemplateList> CKernelAotService::TemplatesOf(INorva5TemplateAnalyzer* analyzer) {
  long directionId = 0;
  ThrowIfFailed(analyzer->get_DirID(&directionId), L"analyzer direction");
  return TemplatesOfDirection(directionId);
}

size_t CKernelAotService::CountOf(INrvaTemplateList* templates) {
  short count = 0;
  ThrowIfFailed(templates->GetCount(&count), L"template count");
  return count < 0 ? 0 : static_cast<size_t>(count);
}

bool CKernelAotService::IsKindAvailable(long kind) {
  try {
    if (!analyzerSource_ && FAILED(kernel_object::TryCreate(CLSID_NrvaAnalyzerSource, &analyzerSource_))) return false;
    long available = 0;
    ThrowIfFailed(analyzerSource_->IsAvailable(kind, &available));
    return available != 0;
  } catch (...) {
    session_.ReportCaught();
    return false;
  }
}

bool CKernelAotService::IsAvailable() { return IsKindAvailable(kAnalyzerKind); }

bool CKernelAotService::IsSecondKindAvailable() { return IsKindAvailable(kSecondAnalyzerKind); }

HRESULT CKernelAotService::DetectTemplate(const std::wstring& text, std::wstring& templateId) {
  return session_.Answered([&]() -> HRESULT {
    auto analyzer = GetAnalyzer(session_.ActiveDirID());
    if (!analyzer) return S_FALSE;
    std::vector<RankedTemplate> ranked;
    HRESULT hr = RankWith(analyzer.Get(), text, ranked, true);
    if (SUCCEEDED(hr) && !ranked.empty()) templateId = ranked.front().first;
    return hr;
  });
}

HRESULT CKernelAotService::RankTemplates(const std::wstring& text, std::vector<RankedTemplate>& ranked,
                                         bool bestOnly) {
  return session_.Answered(
      [&] { return RankWith(GetAnalyzer(session_.ActiveDirID()).Get(), text, ranked, bestOnly); });
}

HRESULT CKernelAotService::RankWith(INorva5TemplateAnalyzer* analyzer, const std::wstring& text,
                                    std::vector<RankedTemplate>& ranked, bool bestOnly) {
  auto ranking = ComPtr<INorva5TemplateAnalyzer>::Share(analyzer).As<INorva9TemplateAnalyzer>();
  if (!ranking) return S_FALSE;
  // Only a ranking is read; an analysis that made none leaves the list as it was.
  if (ranking->Analyze(Bstr(text).Get(), nullptr) != S_OK) return S_OK;
  Bstr best;
  ThrowIfFailed(ranking->get_Template(best.Receive()), L"best template");
  auto templates = TemplatesOf(ranking.Get());
  std::vector<RankedTemplate> walked;
  for (const std::wstring& name : RankedNames(ranking.Get(), best.Str(), CountOf(templates.Get()))) {
    USHORT weight = 0;
    ThrowIfFailed(ranking->GetTemplateWeight(Bstr(name).Get(), &weight), L"template weight");
    // The analyzer may rank by identifier or by display name: the entry
    // carries the template's identifier, and its name as the title (never the
    // keyword report the analyzer answers at the next place of its interface).
    walked.push_back({kernel_templates::IdOf(templates.Get(), name),
                      {kernel_templates::NameOf(templates.Get(), name), static_cast<short>(weight)}});
  }
  if (!bestOnly) {
    ranked.insert(ranked.end(), walked.begin(), walked.end());
    return S_OK;
  }
  // Only a strictly heavier template displaces the winner: ties keep the earlier.
  size_t winner = 0;
  for (size_t i = 1; i < walked.size(); ++i)
    if (WeightOf(walked[i]) > WeightOf(walked[winner])) winner = i;
  ranked.push_back(walked[winner]);
  return S_OK;
}

bool CKernelAotService::ListAdvice(const std::wstring& text, std::vector<std::wstring>& advice) {
  try {
    auto analyzer = GetAnalyzer(session_.ActiveDirID());
    if (!analyzer) return false;
    if (FAILED(analyzer->Analyze(Bstr(text).Get(), nullptr))) return false;
    auto templates = TemplatesOf(analyzer.Get());
    const size_t limit = CountOf(templates.Get());
    long dictionary = 0;
    Bstr item;
    ThrowIfFailed(analyzer->get_BestAdvice(&dictionary, item.Receive()), L"best advice");
    // Every entry, however many; an analyzer whose chain comes back to an
    // entry it gave before would otherwise be walked for ever.
    std::set<std::pair<long, std::wstring>> given;
    while (!item.Empty() && given.emplace(dictionary, item.Str()).second) {
      advice.push_back(item.Str());
      Bstr next;
      ThrowIfFailed(analyzer->get_NextAdvice(dictionary, item.Get(), &dictionary, next.Receive()), L"next advice");
      item = std::move(next);
    }
    Bstr best;
    ThrowIfFailed(analyzer->get_Template(best.Receive()), L"best template");
    if (!best.Empty()) {
      for (std::wstring& name : RankedNames(analyzer.Get(), best.Str(), limit)) advice.push_back(std::move(name));
      return true;
    }
    // Nothing ranked: the first template of the analyzer's direction.
    ComPtr<IDispatch> item0;
    ThrowIfFailed(templates->GetItem(Variant::FromInt16(0).Get(), item0.Receive()), L"first template");
    if (!item0) throw ComError(E_POINTER, L"the kernel handed out no template");
    Bstr name;
    ThrowIfFailed(item0.Query<INrvaTemplate>()->GetName(name.Receive()), L"template name");
    advice.push_back(name.Str());
    return true;
  } catch (...) {
    session_.ReportCaught();
    return false;
  }
}

HRESULT CKernelAotService::ChooseTemplate(const std::wstring& text, std::wstring& templateId) {
  return session_.Answered([&]() -> HRESULT {
    auto analyzer = GetAnalyzer(session_.ActiveDirID());
    auto chooser = analyzer ? analyzer.As<INorva10TemplateAnalyzer>() : ComPtr<INorva10TemplateAnalyzer>();
    if (!chooser) return S_FALSE;
    Bstr chosen;
    HRESULT hr = chooser->DlgSelectTemplate(Bstr(text).Get(), nullptr, chosen.Receive());
    // The analyzer's dialog answers the name it ranked; the caller gets the
    // template's identifier.
    if (hr == S_OK) templateId = kernel_templates::IdOf(TemplatesOf(analyzer.Get()).Get(), chosen.Str());
    return hr;
  });
}
