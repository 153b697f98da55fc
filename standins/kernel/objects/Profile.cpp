// The current profile of a context: active template, template list, the
// profile's translator and its editing face, with the small objects they
// hand out.
#include <span>

#include "CallGuard.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "Switches.h"
#include "WordTranslator.h"
#include "platform/com/ComObject.h"

namespace kernelstandin {
namespace {

using platform::Bstr;
using platform::ComError;
using platform::InterfaceOf;

class ProfilePart : public Stubs<INrvaProfilePart> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<ProfilePart, INrvaProfilePart>(),
        InterfaceOf<ProfilePart, IDispatch, INrvaProfilePart>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE Prepare() override { return KernelCall(L"INrvaProfilePart.Prepare", [] {}); }
};

class ProfileData : public Stubs<INrvaProfileData> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<ProfileData, INrvaProfileData>(),
        InterfaceOf<ProfileData, IDispatch, INrvaProfileData>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE Commit() override { return KernelCall(L"INrvaProfileData.Commit", [] {}); }
};

// Changing the active direction from inside the kernel.
class DirectionActions : public Stubs<INrvaDirectionActions> {
 public:
  explicit DirectionActions(std::shared_ptr<ContextState> state) : state_(std::move(state)) {}
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<DirectionActions, INrvaDirectionActions>(),
        InterfaceOf<DirectionActions, IDispatch, INrvaDirectionActions>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE Run(LONG dirId) override {
    return KernelCall(L"INrvaDirectionActions.Run", [&] { return state_->SetActiveDirID(dirId); });
  }
  HRESULT STDMETHODCALLTYPE RunConfirmed(LONG dirId) override {
    return KernelCall(L"INrvaDirectionActions.RunConfirmed", [&] { return state_->SetActiveDirID(dirId); });
  }

 private:
  std::shared_ptr<ContextState> state_;
};

class Profile : public Stubs<INrvaProfile>,
                public Stubs<INrvaProfileTranslator>,
                public Stubs<INrvaProfileEditor> {
 public:
  explicit Profile(std::shared_ptr<ContextState> state) : state_(std::move(state)) {}

  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<Profile, INrvaProfile>(),
        InterfaceOf<Profile, IDispatch, INrvaProfile>(),
        InterfaceOf<Profile, INrvaProfileTranslator>(),
        InterfaceOf<Profile, INrvaProfileEditor>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetDirID(LONG* dirId) override {
    return KernelCall(L"INrvaProfile.GetDirID", [&] {
      RequireOut(dirId);
      *dirId = state_->ActiveDirID();
    });
  }
  HRESULT STDMETHODCALLTYPE GetActiveTemplateId(BSTR* id) override {
    return KernelCall(L"INrvaProfile.GetActiveTemplateId", [&] { PutText(id, state_->ActiveTemplateId()); });
  }
  HRESULT STDMETHODCALLTYPE SetActiveTemplateId(BSTR id) override {
    return KernelCall(L"INrvaProfile.SetActiveTemplateId", [&] {
      if (Switches::Number(L"RefuseTemplate")) return E_ACCESSDENIED;
      return state_->SetActiveTemplate(state_->ActiveDirID(), std::wstring(platform::BstrView(id)));
    });
  }
  HRESULT STDMETHODCALLTYPE GetProfileData(IDispatch** data) override {
    return KernelCall(L"INrvaProfile.GetProfileData",
                      [&] { PutObject(data, platform::MakeComObject<ProfileData>()); });
  }
  HRESULT STDMETHODCALLTYPE GetTemplates(IDispatch** templates) override {
    return KernelCall(L"INrvaProfile.GetTemplates",
                      [&] { PutObject(templates, NewTemplateList(state_, state_->ActiveDirID())); });
  }
  HRESULT STDMETHODCALLTYPE GetPart(IDispatch** part) override {
    return KernelCall(L"INrvaProfile.GetPart", [&] { PutObject(part, platform::MakeComObject<ProfilePart>()); });
  }
  HRESULT STDMETHODCALLTYPE Refresh(VARIANT) override { return KernelCall(L"INrvaProfile.Refresh", [] {}); }
  HRESULT STDMETHODCALLTYPE ApplySetting(VARIANT, VARIANT, VARIANT) override {
    return KernelCall(L"INrvaProfile.ApplySetting", [] {});
  }

  // The text of the source document, word by word, into the target document.
  HRESULT STDMETHODCALLTYPE Translate(IDispatch* source, IDispatch* target, VARIANT) override {
    return KernelCall(L"INrvaProfileTranslator.Translate", [&] {
      HRESULT failure = static_cast<HRESULT>(Switches::Number(L"FailTranslation"));
      if (FAILED(failure)) return failure;
      if (!source || !target) return E_POINTER;
      auto from = ComPtr<IDispatch>::Share(source).Query<INrvaDocument>();
      auto to = ComPtr<IDispatch>::Share(target).Query<INrvaDocument>();
      Bstr text;
      platform::ThrowIfFailed(from->GetText(text.Receive()));
      // The caller's own cost, apart from the translation's.
      if (Switches::Number(L"EchoTranslation")) return to->SetText(text.Get());
      const TemplateInfo* info = state_->Data().FindTemplate(state_->ActiveDirID(), state_->ActiveTemplateId());
      if (!info) return E_UNEXPECTED;
      Bstr translated(TranslateWords(info->words, text.View()));
      return to->SetText(translated.Get());
    });
  }

  HRESULT STDMETHODCALLTYPE UpdateTemplate(LONG, VARIANT, LONG) override {
    return KernelCall(L"INrvaProfileEditor.UpdateTemplate", [&] { state_->ProfileChanged(); });
  }
  HRESULT STDMETHODCALLTYPE GetDirectionActions(IDispatch** actions) override {
    return KernelCall(L"INrvaProfileEditor.GetDirectionActions",
                      [&] { PutObject(actions, platform::MakeComObject<DirectionActions>(state_)); });
  }

 private:
  std::shared_ptr<ContextState> state_;
};

}  // namespace

ComPtr<IUnknown> NewProfile(std::shared_ptr<ContextState> state) {
  return platform::MakeComObject<Profile>(std::move(state)).As<IUnknown>();
}

}  // namespace kernelstandin
