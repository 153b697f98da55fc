// Speech and the animated speaker: creatable objects that accept their
// calls; nothing is spoken.
#include <span>

#include "CallGuard.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "platform/com/ComObject.h"

namespace kernelstandin {
namespace {

using platform::ComError;
using platform::InterfaceOf;

class Speech : public Stubs<INrvaSpeech> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<Speech, INrvaSpeech>(),
        InterfaceOf<Speech, IDispatch, INrvaSpeech>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE Setup(VARIANT, VARIANT, VARIANT) override {
    return KernelCall(L"INrvaSpeech.Setup", [&] { ready_ = true; });
  }
  HRESULT STDMETHODCALLTYPE Speak(LONG, BSTR, VARIANT, VARIANT) override {
    return KernelCall(L"INrvaSpeech.Speak", [&] { return ready_ ? S_OK : E_UNEXPECTED; });
  }
  HRESULT STDMETHODCALLTYPE Cancel() override { return KernelCall(L"INrvaSpeech.Cancel", [] {}); }
  HRESULT STDMETHODCALLTYPE Stop() override { return KernelCall(L"INrvaSpeech.Stop", [] {}); }

 private:
  bool ready_ = false;
};

class Character : public Stubs<INrvaCharacter> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<Character, INrvaCharacter>(),
        InterfaceOf<Character, IDispatch, INrvaCharacter>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE Speak(BSTR, LONG) override { return KernelCall(L"INrvaCharacter.Speak", [] {}); }
  HRESULT STDMETHODCALLTYPE Show(LONG, LONG) override {
    return KernelCall(L"INrvaCharacter.Show", [&] { visible_ = true; });
  }
  HRESULT STDMETHODCALLTYPE Hide(LONG, LONG) override {
    return KernelCall(L"INrvaCharacter.Hide", [&] { visible_ = false; });
  }
  HRESULT STDMETHODCALLTYPE StopAll(VARIANT) override { return KernelCall(L"INrvaCharacter.StopAll", [] {}); }
  HRESULT STDMETHODCALLTYPE SetLanguage(LONG) override {
    return KernelCall(L"INrvaCharacter.SetLanguage", [] {});
  }
  HRESULT STDMETHODCALLTYPE GetVisible(VARIANT_BOOL* visible) override {
    return KernelCall(L"INrvaCharacter.GetVisible", [&] {
      RequireOut(visible);
      *visible = visible_ ? VARIANT_TRUE : VARIANT_FALSE;
    });
  }

 private:
  bool visible_ = false;
};

class AnimatedSpeaker : public Stubs<INrvaAnimatedSpeaker> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<AnimatedSpeaker, INrvaAnimatedSpeaker>(),
        InterfaceOf<AnimatedSpeaker, IDispatch, INrvaAnimatedSpeaker>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE Setup(VARIANT, VARIANT) override {
    return KernelCall(L"INrvaAnimatedSpeaker.Setup", [] {});
  }
  // Only the character that services.txt names can be loaded.
  HRESULT STDMETHODCALLTYPE LoadCharacter(BSTR name) override {
    return KernelCall(L"INrvaAnimatedSpeaker.LoadCharacter", [&] {
      if (platform::BstrView(name) != KernelData::Installed()->Service(L"Character")) throw ComError(E_INVALIDARG);
      if (!character_) character_ = platform::MakeComObject<Character>().As<IUnknown>();
    });
  }
  HRESULT STDMETHODCALLTYPE GetCharacter(BSTR name, IDispatch** character) override {
    return KernelCall(L"INrvaAnimatedSpeaker.GetCharacter", [&] {
      RequireOut(character);
      if (!character_ || platform::BstrView(name) != KernelData::Installed()->Service(L"Character"))
        throw ComError(E_INVALIDARG);
      PutObject(character, character_);
    });
  }

 private:
  ComPtr<IUnknown> character_;
};

}  // namespace

ComPtr<IUnknown> NewSpeech() { return platform::MakeComObject<Speech>().As<IUnknown>(); }
ComPtr<IUnknown> NewAnimatedSpeaker() { return platform::MakeComObject<AnimatedSpeaker>().As<IUnknown>(); }

}  // namespace kernelstandin
