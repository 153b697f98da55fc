// The service interfaces of the kernel connector: AOT, speech, smart
// folders, web search and the desktop object.
#include "browserproxy/kernel/KernelObject.h"
#include "browserproxy/kernel/NorvaKernelWrapper.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/Variant.h"

using platform::Bstr;
using platform::ComError;
using platform::ComPtr;
using platform::ThrowIfFailed;
using platform::Variant;

namespace {

constexpr HRESULT kUnexpected = static_cast<HRESULT>(0x8000FFFF);
// The registry root the speech objects read their settings from.
constexpr long kCurrentUserRoot = static_cast<long>(0x80000001);
constexpr wchar_t kCharacterName[] = L"Merlin";
constexpr long kAnalyzerKind = 1;
constexpr long kSecondAnalyzerKind = 2;

// Speech that failed once stays off for the life of the process.
bool speechFailed = false;

void DispatchWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// A window disabled for the owner's lifetime and enabled again on every road.
class DisabledWindow {
 public:
  explicit DisabledWindow(HWND window) : window_(window) {
    if (window_) EnableWindow(window_, FALSE);
  }
  ~DisabledWindow() {
    if (window_) EnableWindow(window_, TRUE);
  }
  DisabledWindow(const DisabledWindow&) = delete;
  DisabledWindow& operator=(const DisabledWindow&) = delete;

 private:
  HWND window_;
};

Variant UnsignedValue(unsigned int number) {
  Variant value;
  value.Ptr()->vt = VT_UINT;
  value.Ptr()->uintVal = number;
  return value;
}

}  // namespace

// --- AOT -------------------------------------------------------------------

namespace {

// The answer of an AOT operation: a kernel failure is shown through the
// connector's ReportError and answered as its HRESULT.
template <class Body>
HRESULT AnswerReported(CNorvaKernelWrapper& connector, Body&& body) {
  try {
    return body();
  } catch (const ComError& error) {
    connector.ReportError(error.Result());
    return error.Result();
  } catch (...) {
    connector.ReportError(kUnexpected);
    return kUnexpected;
  }
}

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

ComPtr<INorva5TemplateAnalyzer> CNorvaKernelWrapper::GetAnalyzer(long directionId) {
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
    Bstr client(clientName_);
    Variant direction = Variant::FromInt32(directionId);
    if (IsAttached())
      ThrowIfFailed(analyzer->Initialize2(client.Get(), control_.Get(), direction.Get()), L"analyzer set-up");
    else
      ThrowIfFailed(analyzer->Initialize(client.Get(), direction.Get()), L"analyzer set-up");
    return analyzer;
  } catch (...) {
    ReportCaught();
    return {};
  }
}

ComPtr<INrvaTemplateList> CNorvaKernelWrapper::TemplatesOfDirection(long directionId) {
  ComPtr<IDispatch> list;
  ThrowIfFailed(ContextDirections()->GetTemplates(Variant::FromInt32(directionId).Get(), list.Receive()),
                L"template list");
  if (!list) throw ComError(E_POINTER, L"the kernel handed out no template list");
  return list.Query<INrvaTemplateList>();
}

size_t CNorvaKernelWrapper::TemplateCountOf(INorva5TemplateAnalyzer* analyzer) {
  long directionId = 0;
  ThrowIfFailed(analyzer->get_DirID(&directionId), L"analyzer direction");
  short count = 0;
  ThrowIfFailed(TemplatesOfDirection(directionId)->GetCount(&count), L"template count");
  return count < 0 ? 0 : static_cast<size_t>(count);
}

bool CNorvaKernelWrapper::IsAotAvailable() {
  try {
    if (!analyzerSource_ && FAILED(kernel_object::TryCreate(CLSID_NrvaAnalyzerSource, &analyzerSource_))) return false;
    long available = 0;
    ThrowIfFailed(analyzerSource_->IsAvailable(kAnalyzerKind, &available));
    return available != 0;
  } catch (...) {
    ReportCaught();
    return false;
  }
}

bool CNorvaKernelWrapper::IsSecondKindAvailable() {
  try {
    if (!analyzerSource_ && FAILED(kernel_object::TryCreate(CLSID_NrvaAnalyzerSource, &analyzerSource_))) return false;
    long available = 0;
    ThrowIfFailed(analyzerSource_->IsAvailable(kSecondAnalyzerKind, &available));
    return available != 0;
  } catch (...) {
    ReportCaught();
    return false;
  }
}

HRESULT CNorvaKernelWrapper::DetectTemplate(const std::wstring& text, std::wstring& templateId) {
  return AnswerReported(*this, [&]() -> HRESULT {
    auto analyzer = GetAnalyzer(GetActiveDirID());
    if (!analyzer) return S_FALSE;
    std::vector<RankedTemplate> ranked;
    HRESULT hr = RankWith(analyzer.Get(), text, ranked, true);
    if (SUCCEEDED(hr) && !ranked.empty()) templateId = ranked.front().first;
    return hr;
  });
}

HRESULT CNorvaKernelWrapper::RankTemplates(const std::wstring& text, std::vector<RankedTemplate>& ranked,
                                           bool bestOnly) {
  return AnswerReported(*this, [&] { return RankWith(GetAnalyzer(GetActiveDirID()).Get(), text, ranked, bestOnly); });
}

HRESULT CNorvaKernelWrapper::RankWith(INorva5TemplateAnalyzer* analyzer, const std::wstring& text,
                                      std::vector<RankedTemplate>& ranked, bool bestOnly) {
  auto ranking = ComPtr<INorva5TemplateAnalyzer>::Share(analyzer).As<INorva9TemplateAnalyzer>();
  if (!ranking) return S_FALSE;
  // Only a ranking is read; an analysis that made none leaves the list as it was.
  if (ranking->Analyze(Bstr(text).Get(), nullptr) != S_OK) return S_OK;
  Bstr best;
  ThrowIfFailed(ranking->get_Template(best.Receive()), L"best template");
  std::vector<RankedTemplate> walked;
  for (const std::wstring& name : RankedNames(ranking.Get(), best.Str(), TemplateCountOf(ranking.Get()))) {
    Bstr templateName(name);
    USHORT weight = 0;
    Bstr title;
    ThrowIfFailed(ranking->GetTemplateWeight(templateName.Get(), &weight), L"template weight");
    ThrowIfFailed(ranking->GetTemplateKeywords(templateName.Get(), title.Receive()), L"template title");
    walked.push_back({name, {title.Str(), static_cast<short>(weight)}});
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

bool CNorvaKernelWrapper::ListAdvice(const std::wstring& text, std::vector<std::wstring>& advice) {
  try {
    auto analyzer = GetAnalyzer(GetActiveDirID());
    if (!analyzer) return false;
    if (FAILED(analyzer->Analyze(Bstr(text).Get(), nullptr))) return false;
    const size_t limit = TemplateCountOf(analyzer.Get());
    long dictionary = 0;
    Bstr item;
    ThrowIfFailed(analyzer->get_BestAdvice(&dictionary, item.Receive()), L"best advice");
    for (size_t taken = 0; !item.Empty() && taken < limit; ++taken) {
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
    long directionId = 0;
    ThrowIfFailed(analyzer->get_DirID(&directionId), L"analyzer direction");
    Variant first;
    first.Ptr()->vt = VT_I2;
    first.Ptr()->iVal = 0;
    ComPtr<IDispatch> item0;
    ThrowIfFailed(TemplatesOfDirection(directionId)->GetItem(first.Get(), item0.Receive()), L"first template");
    if (!item0) throw ComError(E_POINTER, L"the kernel handed out no template");
    Bstr name;
    ThrowIfFailed(item0.Query<INrvaTemplate>()->GetName(name.Receive()), L"template name");
    advice.push_back(name.Str());
    return true;
  } catch (...) {
    ReportCaught();
    return false;
  }
}

HRESULT CNorvaKernelWrapper::ChooseTemplate(const std::wstring& text, std::wstring& templateId) {
  return AnswerReported(*this, [&]() -> HRESULT {
    auto analyzer = GetAnalyzer(GetActiveDirID());
    auto chooser = analyzer ? analyzer.As<INorva10TemplateAnalyzer>() : ComPtr<INorva10TemplateAnalyzer>();
    if (!chooser) return S_FALSE;
    Bstr chosen;
    HRESULT hr = chooser->DlgSelectTemplate(Bstr(text).Get(), nullptr, chosen.Receive());
    if (hr == S_OK) templateId = chosen.Str();
    return hr;
  });
}

// --- Speech ----------------------------------------------------------------

ComPtr<INrvaSpeech> CNorvaKernelWrapper::GetSpeaker(const VARIANT& language) {
  if (speechFailed) return {};
  try {
    auto speaker = kernel_object::Create<INrvaSpeech>(CLSID_NrvaSpeech);
    ThrowIfFailed(speaker->Setup(Variant::FromString(clientName_).Get(), Variant::FromInt32(kCurrentUserRoot).Get(),
                                 language),
                  L"speech set-up");
    return speaker;
  } catch (...) {
    ReportCaught();
    speechFailed = true;
    return {};
  }
}

ComPtr<INrvaCharacter> CNorvaKernelWrapper::GetAnimatedSpeaker(const VARIANT& language) {
  if (!animatedSpeaker_) {
    auto speaker = kernel_object::Create<INrvaAnimatedSpeaker>(CLSID_NrvaAnimatedSpeaker);
    ThrowIfFailed(speaker->Setup(UnsignedValue(static_cast<unsigned int>(kCurrentUserRoot)).Get(), language),
                  L"animated speaker set-up");
    ThrowIfFailed(speaker->LoadCharacter(Bstr(kCharacterName).Get()), L"loading the character");
    animatedSpeaker_ = std::move(speaker);
  }
  ComPtr<IDispatch> character;
  ThrowIfFailed(animatedSpeaker_->GetCharacter(Bstr(kCharacterName).Get(), character.Receive()), L"character");
  if (!character) return {};
  return character.Query<INrvaCharacter>();
}

bool CNorvaKernelWrapper::CanSpeak() { return static_cast<bool>(GetSpeaker(Variant::Missing().Get())); }

bool CNorvaKernelWrapper::IsCharacterActive(const VARIANT& language) {
  if (!animatedSpeaker_) return false;
  auto character = GetAnimatedSpeaker(language);
  if (!character) return false;
  VARIANT_BOOL visible = VARIANT_FALSE;
  ThrowIfFailed(character->GetVisible(&visible), L"character state");
  return visible != VARIANT_FALSE;
}

long CNorvaKernelWrapper::Speak(const std::wstring& text, const VARIANT& language, bool withCharacter) {
  const long direction = GetActiveDirID();
  if (!withCharacter) {
    if (speaker_) {
      speaker_->Cancel();
      DispatchWaitingMessages();
    }
    speaker_ = GetSpeaker(language);
    if (!speaker_) return 1;
    ThrowIfFailed(speaker_->Speak(direction & 0xFFFF, Bstr(text).Get(), Variant::Missing().Get(),
                                  Variant::Missing().Get()),
                  L"speaking");
    return 0;
  }
  auto character = GetAnimatedSpeaker(language);
  if (!character) return 1;
  HWND front = GetForegroundWindow();
  VARIANT_BOOL visible = VARIANT_FALSE;
  if (SUCCEEDED(character->GetVisible(&visible)) && visible != VARIANT_FALSE) {
    ThrowIfFailed(character->StopAll(Variant::Missing().Get()), L"stopping the character");
    DispatchWaitingMessages();
  }
  // The window in front stays disabled while the character speaks, and is
  // enabled again however the speaking ends.
  DisabledWindow disabled(front);
  ThrowIfFailed(character->SetLanguage(direction & 0xFFFF), L"character language");
  ThrowIfFailed(character->Show(0, 0), L"showing the character");
  ThrowIfFailed(character->Speak(Bstr(text).Get(), direction), L"character speaking");
  ThrowIfFailed(character->Hide(0, 1), L"hiding the character");
  return 0;
}

void CNorvaKernelWrapper::StopSpeaking(const VARIANT& language) {
  if (auto speaker = GetSpeaker(language)) speaker->Stop();
}

// --- Smart folders ---------------------------------------------------------

ComPtr<INrvaSmartFolders>& CNorvaKernelWrapper::SmartFolders() {
  if (!smartFolders_) kernel_object::TryCreate(CLSID_NrvaSmartFolders, &smartFolders_);
  return smartFolders_;
}

bool CNorvaKernelWrapper::IsSmartFolderAvailable() { return static_cast<bool>(SmartFolders()); }

long CNorvaKernelWrapper::GetFolderInfo(const std::wstring& path, long& value, std::wstring& text) {
  try {
    if (!SmartFolders()) return 1;
    ComPtr<IDispatch> folderObject;
    ThrowIfFailed(smartFolders_->GetFolder(Bstr(path).Get(), folderObject.Receive()), L"smart folder");
    auto folder = folderObject.As<INrvaSmartFolder>();
    if (!folder) return 1;
    long kind = 0;
    Bstr folderText;
    ThrowIfFailed(folder->GetKind(&kind), L"smart folder kind");
    ThrowIfFailed(folder->GetText(folderText.Receive()), L"smart folder text");
    value = kind;
    text = folderText.Str();
    return 0;
  } catch (...) {
    ReportCaught();
    return 1;
  }
}

void CNorvaKernelWrapper::RefreshFolders() {
  Reported([&] {
    if (!smartFolders_) return;
    if (IsAttached())
      ThrowIfFailed(smartFolders_->RefreshWith(control_.Get()), L"refreshing smart folders");
    else
      ThrowIfFailed(smartFolders_->Refresh(), L"refreshing smart folders");
  });
}

// --- Web search ------------------------------------------------------------

long CNorvaKernelWrapper::Search(std::wstring& result, const std::wstring& option, const std::wstring& query) {
  try {
    Bstr answer;
    Variant optionValue = Variant::FromString(option);
    if (IsAttached()) {
      ComPtr<INrvaAttachedWebSearch> search;
      if (FAILED(kernel_object::TryCreate(CLSID_NrvaWebSearch, &search))) return 1;
      ThrowIfFailed(search->Search(Bstr(query).Get(), Variant::Missing().Get(), Variant::Missing().Get(),
                                   optionValue.Get(), Variant::Missing().Get(), answer.Receive()),
                    L"web search");
    } else {
      ComPtr<INrvaWebSearch> search;
      if (FAILED(kernel_object::TryCreate(CLSID_NrvaWebSearch, &search))) return 1;
      ThrowIfFailed(search->Search(Bstr(query).Get(), Variant::Missing().Get(), Variant::Missing().Get(),
                                   optionValue.Get(), Variant::Missing().Get(), answer.Receive()),
                    L"web search");
    }
    result = answer.Str();
    return 0;
  } catch (...) {
    ReportCaught();
    return 1;
  }
}

HRESULT CNorvaKernelWrapper::IsReady() {
  if (IsAttached()) {
    ComPtr<INrvaAttachedWebSearch> search;
    return kernel_object::TryCreate(CLSID_NrvaWebSearch, &search);
  }
  ComPtr<INrvaWebSearch> search;
  return kernel_object::TryCreate(CLSID_NrvaWebSearch, &search);
}
