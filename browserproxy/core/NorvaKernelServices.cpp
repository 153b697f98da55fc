// The service interfaces of the kernel connector: AOT, speech, smart
// folders, web search and the desktop object.
#include "browserproxy/core/KernelObject.h"
#include "browserproxy/core/NorvaKernelWrapper.h"
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

ComPtr<IUnknown> CNorvaKernelWrapper::GetAnalyzer(long) {
  // The template analyzer's interfaces belong to the AOT module, whose
  // declarations this program does not have yet: no analyzer is taken.
  return {};
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
  try {
    if (!GetAnalyzer(GetActiveDirID())) return S_FALSE;
    std::vector<RankedTemplate> ranked;
    HRESULT hr = RankTemplates(text, ranked, true);
    if (SUCCEEDED(hr) && !ranked.empty()) templateId = ranked.front().first;
    return hr;
  } catch (const ComError& error) {
    ReportError(error.Result());
    return error.Result();
  } catch (...) {
    ReportError(kUnexpected);
    return kUnexpected;
  }
}

HRESULT CNorvaKernelWrapper::RankTemplates(const std::wstring&, std::vector<RankedTemplate>&, bool) {
  return GetAnalyzer(0) ? S_OK : S_FALSE;
}

bool CNorvaKernelWrapper::ListAdvice(const std::wstring&, std::vector<std::wstring>&) {
  return false;
}

HRESULT CNorvaKernelWrapper::ChooseTemplate(const std::wstring&, std::wstring&) { return S_FALSE; }

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
