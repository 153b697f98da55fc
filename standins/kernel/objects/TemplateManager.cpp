// The direction list of a context, which is also the template manager.
#include <servprov.h>

#include <span>

#include "CallGuard.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "VariantIndex.h"
#include "platform/com/ComObject.h"
#include "platform/com/ConnectionPoints.h"
#include "platform/com/Dispatch.h"

namespace kernelstandin {
namespace {

using platform::Bstr;
using platform::ComError;
using platform::InterfaceOf;

// Services of the direction list: the about box's service and the kernel
// service that the word dictionary takes.
// {A45A75EC-EC5C-438D-B471-E4875BE265F0}
const GUID kAboutService = {0xA45A75EC, 0xEC5C, 0x438D, {0xB4, 0x71, 0xE4, 0x87, 0x5B, 0xE2, 0x65, 0xF0}};
// {E0CF67D1-6730-4E92-BB9D-8B46D72AA711}
const GUID kKernelService = {0xE0CF67D1, 0x6730, 0x4E92, {0xBB, 0x9D, 0x8B, 0x46, 0xD7, 0x2A, 0xA7, 0x11}};
const GUID kMorphologyService = {0x2D558B52, 0x9E1F, 0x4FC8, {0x8B, 0xD7, 0x27, 0x39, 0x5A, 0x19, 0xE9, 0xCC}};

// The list also fires the context's events (DNorvaCtlEvents) to sinks
// advised on it; a test makes it fire through INrvaStandInEventSource.
class TemplateManager : public Stubs<INrvaTemplateManager>,
                        public IServiceProvider,
                        public platform::ConnectionPointContainer,
                        public platform::Dispatch<INrvaStandInEventSource, kNorvaObjLib> {
 public:
  explicit TemplateManager(std::shared_ptr<ContextState> state)
      : ConnectionPointContainer({IID_DNorvaCtlEvents}), state_(std::move(state)) {}

  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<TemplateManager, INrvaTemplateManager>(),
        InterfaceOf<TemplateManager, IDispatch, INrvaTemplateManager>(),
        InterfaceOf<TemplateManager, IServiceProvider>(),
        InterfaceOf<TemplateManager, IConnectionPointContainer>(),
        InterfaceOf<TemplateManager, INrvaStandInEventSource>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE FireEvent(LONG number, LONG dirId, BSTR oldId, BSTR newId) override {
    if (number < 1 || number > 25) return E_INVALIDARG;
    Point(IID_DNorvaCtlEvents).Fire<DNorvaCtlEvents>([&](DNorvaCtlEvents* sink) -> HRESULT {
      switch (number) {
        case 14: return sink->OnDirectionListsChanged(dirId);
        case 15: return sink->OnDirectionTemplatesChanged(dirId);
        case 16: return sink->OnTemplateRenamed(dirId, oldId, newId);
        case 17: return sink->OnDirectionChanged(dirId, oldId);
        case 18: return sink->OnTemplateChanged(dirId, oldId);
        case 19: return sink->OnProfileChanged(dirId, oldId);
        case 21: return sink->OnActiveDirectionChanged();
        case 22: return sink->OnActiveTemplateChanged();
        default: return S_OK;
      }
    });
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE SetClientName(BSTR client) override {
    return KernelCall(L"INrvaTemplateManager.SetClientName", [&] { state_->client = std::wstring(platform::BstrView(client)); });
  }
  HRESULT STDMETHODCALLTYPE GetCount(LONG* count) override {
    return KernelCall(L"INrvaTemplateManager.GetCount", [&] {
      RequireOut(count);
      *count = static_cast<LONG>(Directions().size());
    });
  }
  HRESULT STDMETHODCALLTYPE GetDirID(SHORT index, LONG* dirId) override {
    return KernelCall(L"INrvaTemplateManager.GetDirID", [&] {
      RequireOut(dirId);
      *dirId = At(index).id;
    });
  }
  HRESULT STDMETHODCALLTYPE GetDirName(VARIANT index, BSTR* name) override {
    return KernelCall(L"INrvaTemplateManager.GetDirName", [&] {
      RequireOut(name);
      std::optional<long> i = IndexOf(index);
      if (!i) throw ComError(DISP_E_TYPEMISMATCH);
      PutText(name, At(*i).name);
    });
  }
  HRESULT STDMETHODCALLTYPE GetDocument(VARIANT dirId, VARIANT, VARIANT, IDispatch** document) override {
    return KernelCall(L"INrvaTemplateManager.GetDocument", [&] {
      RequireOut(document);
      ComPtr<IUnknown> doc = NewTextDocument();
      std::optional<long> id = IndexOf(dirId);
      if (id) platform::ThrowIfFailed(doc.Query<INrvaDocument>()->SetDirID(*id));
      PutObject(document, doc);
    });
  }
  HRESULT STDMETHODCALLTYPE GetPartOfSpeechCount(VARIANT language, LONG* count) override {
    return KernelCall(L"INrvaTemplateManager.GetPartOfSpeechCount", [&] {
      RequireOut(count);
      *count = 4;  // noun, adjective, verb, adverb
    });
  }
  HRESULT STDMETHODCALLTYPE SelectTemplate(BSTR templateId, LONG dirId) override {
    return KernelCall(L"INrvaTemplateManager.SelectTemplate",
                      [&] { return state_->SetActiveTemplate(dirId, std::wstring(platform::BstrView(templateId))); });
  }
  HRESULT STDMETHODCALLTYPE GetTemplates(VARIANT direction, IDispatch** templates) override {
    return KernelCall(L"INrvaTemplateManager.GetTemplates", [&] {
      RequireOut(templates);
      std::optional<DirectionRef> ref = DirectionRefOf(direction);
      if (!ref) throw ComError(DISP_E_TYPEMISMATCH);
      long dirId = ref->isId ? ref->value : At(ref->value).id;
      if (!state_->Data().FindDirection(dirId)) throw ComError(E_INVALIDARG);
      PutObject(templates, NewTemplateList(state_, dirId));
    });
  }

  HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (service == kMorphologyService)
      return platform::ComBoundary([&] { return NewMorphology()->QueryInterface(iid, out); });
    // The about box's service is asked for under its own identifier as the
    // interface too: the list itself serves it.
    if (service == kAboutService && iid == kAboutService) {
      *out = static_cast<INrvaTemplateManager*>(this);
      static_cast<INrvaTemplateManager*>(this)->AddRef();
      return S_OK;
    }
    if (service == kAboutService || service == kKernelService || service == IID_INrvaTemplateManager)
      return static_cast<INrvaTemplateManager*>(this)->QueryInterface(iid, out);
    return E_NOINTERFACE;
  }

 private:
  const std::vector<DirectionInfo>& Directions() const { return state_->Data().Directions(); }
  const DirectionInfo& At(long index) const {
    if (index < 0 || static_cast<size_t>(index) >= Directions().size()) throw ComError(E_INVALIDARG);
    return Directions()[static_cast<size_t>(index)];
  }

  std::shared_ptr<ContextState> state_;
};

}  // namespace

ComPtr<IUnknown> NewTemplateManager(std::shared_ptr<ContextState> state) {
  return platform::MakeComObject<TemplateManager>(std::move(state)).As<IUnknown>();
}

ComPtr<IUnknown> NewStandaloneTemplateManager() { return NewTemplateManager(NewContextState()); }

}  // namespace kernelstandin
