#pragma once
#include <windows.h>

#include <string>

#include "NorvaKernel.h"
#include "browserproxy/core/NorvaConnector.h"
#include "platform/com/ComPtr.h"

class KernelSession;

// The kernel connector's speech service: the kernel's speech object, or its
// animated character, speaks a text in the active direction's language.
// Speech that failed once stays off for the life of the process.
class CKernelSpeakService final : public INorvaSpeakService {
 public:
  explicit CKernelSpeakService(KernelSession& session) : session_(session) {}
  CKernelSpeakService(const CKernelSpeakService&) = delete;
  CKernelSpeakService& operator=(const CKernelSpeakService&) = delete;

  bool CanSpeak() override;
  bool IsCharacterActive(const VARIANT& language) override;
  long Speak(const std::wstring& text, const VARIANT& language, bool withCharacter) override;
  void StopSpeaking(const VARIANT& language) override;

 private:
  platform::ComPtr<INrvaSpeech> GetSpeaker(const VARIANT& language);
  platform::ComPtr<INrvaCharacter> GetAnimatedSpeaker(const VARIANT& language);

  KernelSession& session_;
  platform::ComPtr<INrvaSpeech> speaker_;
  platform::ComPtr<INrvaAnimatedSpeaker> animatedSpeaker_;
};
