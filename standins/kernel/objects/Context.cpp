// The translation context: directions, profile, active direction, events.
#include <span>

#include "CallGuard.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "platform/com/ComObject.h"
#include "platform/com/ConnectionPoints.h"

namespace kernelstandin {
namespace {

using platform::Bstr;
using platform::InterfaceOf;

class Context : public Stubs<INrvaContext>, public platform::ConnectionPointContainer {
 public:
  Context() : ConnectionPointContainer({IID_DNorvaCtlEvents}), state_(NewContextState()) {
    state_->SetListener([this](int event, long dirId, const std::wstring& templateId) {
      Fire(event, dirId, templateId);
    });
  }
  ~Context() { state_->SetListener(nullptr); }

  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<Context, INrvaContext>(),
        InterfaceOf<Context, INrvaContextBase, INrvaContext>(),
        InterfaceOf<Context, IDispatch, INrvaContext>(),
        InterfaceOf<Context, IConnectionPointContainer>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE Open(BSTR client, VARIANT, VARIANT) override {
    return KernelCall(L"INrvaContextBase.Open", [&] {
      state_->client = std::wstring(platform::BstrView(client));
      state_->opened = VARIANT_TRUE;
    });
  }
  HRESULT STDMETHODCALLTYPE GetDirectionList(IDispatch** list) override {
    return KernelCall(L"INrvaContextBase.GetDirectionList", [&] {
      RequireOut(list);
      if (!directions_) directions_ = NewTemplateManager(state_);
      PutObject(list, directions_);
    });
  }
  HRESULT STDMETHODCALLTYPE GetProfile(IDispatch** profile) override {
    return KernelCall(L"INrvaContextBase.GetProfile", [&] {
      RequireOut(profile);
      if (!profile_) profile_ = NewProfile(state_);
      PutObject(profile, profile_);
    });
  }
  HRESULT STDMETHODCALLTYPE GetActiveDirID(LONG* dirId) override {
    return KernelCall(L"INrvaContextBase.GetActiveDirID", [&] {
      RequireOut(dirId);
      *dirId = state_->ActiveDirID();
    });
  }
  HRESULT STDMETHODCALLTYPE SetActiveDirID(LONG dirId) override {
    return KernelCall(L"INrvaContextBase.SetActiveDirID", [&] { return state_->SetActiveDirID(dirId); });
  }
  HRESULT STDMETHODCALLTYPE GetActiveDirIndex(SHORT* index) override {
    return KernelCall(L"INrvaContextBase.GetActiveDirIndex", [&] {
      RequireOut(index);
      *index = static_cast<SHORT>(state_->ActiveIndex());
    });
  }
  HRESULT STDMETHODCALLTYPE SetActiveDirIndex(SHORT index) override {
    return KernelCall(L"INrvaContextBase.SetActiveDirIndex", [&] { return state_->SetActiveIndex(index); });
  }
  HRESULT STDMETHODCALLTYPE SetContextOption(VARIANT) override {
    return KernelCall(L"INrvaContext.SetContextOption", [] {});
  }

 private:
  void Fire(int event, long dirId, const std::wstring& templateId) {
    Bstr text(templateId);
    Point(IID_DNorvaCtlEvents).Fire<DNorvaCtlEvents>([&](DNorvaCtlEvents* sink) {
      switch (event) {
        case 17: return sink->OnDirectionChanged(dirId, text.Get());
        case 18: return sink->OnTemplateChanged(dirId, text.Get());
        default: return sink->OnProfileChanged(dirId, text.Get());
      }
    });
  }

  std::shared_ptr<ContextState> state_;
  ComPtr<IUnknown> directions_;
  ComPtr<IUnknown> profile_;
};

}  // namespace

std::shared_ptr<ContextState> NewContextState() {
  return std::make_shared<ContextState>(KernelData::Installed());
}

ComPtr<IUnknown> NewContext() {
  return platform::MakeComObject<Context>().As<IUnknown>();
}

}  // namespace kernelstandin
