#include "browserproxy/kernel/KernelSpeakService.h"

#include "browserproxy/kernel/KernelObject.h"
#include "browserproxy/kernel/KernelSession.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/Variant.h"
#include "platform/win/MessagePump.h"

using platform::Bstr;
using platform::ComPtr;
using platform::ThrowIfFailed;
using platform::Variant;

namespace {

// The registry root the speech objects read their settings from.
constexpr long kCurrentUserRoot = static_cast<long>(0x80000001);
constexpr wchar_t kCharacterName[] = L"Merlin";

// Speech that failed once stays off for the life of the process.
bool speechFailed = false;

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

}  // namespace

ComPtr<INrvaSpeech> CKernelSpeakService::GetSpeaker(const VARIANT& language) {
  if (speechFailed) return {};
  try {
    auto speaker = kernel_object::Create<INrvaSpeech>(CLSID_NrvaSpeech);
    ThrowIfFailed(speaker->Setup(Variant::FromString(session_.ClientName()).Get(),
                                 Variant::FromInt32(kCurrentUserRoot).Get(), language),
                  L"speech set-up");
    return speaker;
  } catch (...) {
    session_.ReportCaught();
    speechFailed = true;
    return {};
  }
}

ComPtr<INrvaCharacter> CKernelSpeakService::GetAnimatedSpeaker(const VARIANT& language) {
  if (!animatedSpeaker_) {
    auto speaker = kernel_object::Create<INrvaAnimatedSpeaker>(CLSID_NrvaAnimatedSpeaker);
    ThrowIfFailed(speaker->Setup(Variant::FromUInt(static_cast<unsigned int>(kCurrentUserRoot)).Get(), language),
                  L"animated speaker set-up");
    ThrowIfFailed(speaker->LoadCharacter(Bstr(kCharacterName).Get()), L"loading the character");
    animatedSpeaker_ = std::move(speaker);
  }
  ComPtr<IDispatch> character;
  ThrowIfFailed(animatedSpeaker_->GetCharacter(Bstr(kCharacterName).Get(), character.Receive()), L"character");
  if (!character) return {};
  return character.Query<INrvaCharacter>();
}

bool CKernelSpeakService::CanSpeak() { return static_cast<bool>(GetSpeaker(Variant::Missing().Get())); }

bool CKernelSpeakService::IsCharacterActive(const VARIANT& language) {
  if (!animatedSpeaker_) return false;
  auto character = GetAnimatedSpeaker(language);
  if (!character) return false;
  VARIANT_BOOL visible = VARIANT_FALSE;
  ThrowIfFailed(character->GetVisible(&visible), L"character state");
  return visible != VARIANT_FALSE;
}

long CKernelSpeakService::Speak(const std::wstring& text, const VARIANT& language, bool withCharacter) {
  const long direction = session_.ActiveDirID();
  if (!withCharacter) {
    if (speaker_) {
      speaker_->Cancel();
      platform::DispatchWaitingMessages();
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
    platform::DispatchWaitingMessages();
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

void CKernelSpeakService::StopSpeaking(const VARIANT& language) {
  if (auto speaker = GetSpeaker(language)) speaker->Stop();
}
