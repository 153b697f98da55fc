// A text document (source or target of a text translation), also the
// document that the template analyzer works with, and its settings.
#include <servprov.h>

#include <span>

#include "CallGuard.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "platform/com/ComObject.h"

namespace kernelstandin {
namespace {

using platform::Bstr;
using platform::ComError;
using platform::InterfaceOf;

class DocumentSettings : public Stubs<INrvaDocumentSettings>, public IServiceProvider {
 public:
  explicit DocumentSettings(std::shared_ptr<ContextState> state) : state_(std::move(state)) {}

  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<DocumentSettings, INrvaDocumentSettings>(),
        InterfaceOf<DocumentSettings, IDispatch, INrvaDocumentSettings>(),
        InterfaceOf<DocumentSettings, IServiceProvider>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetDirID(LONG* dirId) override {
    return KernelCall(L"INrvaDocumentSettings.GetDirID", [&] {
      RequireOut(dirId);
      *dirId = state_->ActiveDirID();
    });
  }
  HRESULT STDMETHODCALLTYPE SetTemplate(BSTR name) override {
    return KernelCall(L"INrvaDocumentSettings.SetTemplate", [&]() -> HRESULT {
      // The analyzer names templates by their names; find the id.
      for (const auto& t : state_->ActiveDirection().templates)
        if (t.name == platform::BstrView(name) || t.id == platform::BstrView(name))
          return state_->SetActiveTemplate(state_->ActiveDirID(), t.id);
      return E_INVALIDARG;
    });
  }
  HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (service != IID_INrvaTemplateManager) return E_NOINTERFACE;
    return platform::ComBoundary([&] { return NewTemplateManager(state_)->QueryInterface(iid, out); });
  }

 private:
  std::shared_ptr<ContextState> state_;
};

class TextDocument : public Stubs<INrvaDocument> {
 public:
  TextDocument() : state_(NewContextState()) {}

  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<TextDocument, INrvaDocument>(),
        InterfaceOf<TextDocument, IDispatch, INrvaDocument>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetTemplateManager(IDispatch** manager) override {
    return KernelCall(L"INrvaDocument.GetTemplateManager",
                      [&] { PutObject(manager, NewTemplateManager(state_)); });
  }
  HRESULT STDMETHODCALLTYPE GetSettings(IDispatch** settings) override {
    return KernelCall(L"INrvaDocument.GetSettings", [&] {
      PutObject(settings, platform::MakeComObject<DocumentSettings>(state_).As<IUnknown>());
    });
  }
  HRESULT STDMETHODCALLTYPE SetDirID(LONG dirId) override {
    return KernelCall(L"INrvaDocument.SetDirID", [&] { return state_->SetActiveDirID(dirId); });
  }
  // The source the morphology loads from: the active direction's source language.
  HRESULT STDMETHODCALLTYPE GetSource(IUnknown** source) override {
    return KernelCall(L"INrvaDocument.GetSource",
                      [&] { PutObject(source, NewMorphologySource(state_->ActiveDirID() & 0xFFFF)); });
  }
  HRESULT STDMETHODCALLTYPE GetText(BSTR* text) override {
    return KernelCall(L"INrvaDocument.GetText", [&] { PutText(text, text_); });
  }
  HRESULT STDMETHODCALLTYPE SetText(BSTR text) override {
    return KernelCall(L"INrvaDocument.SetText", [&] { text_ = platform::BstrView(text); });
  }
  HRESULT STDMETHODCALLTYPE Clear() override {
    return KernelCall(L"INrvaDocument.Clear", [&] { text_.clear(); });
  }

 private:
  std::shared_ptr<ContextState> state_;
  std::wstring text_;
};

}  // namespace

ComPtr<IUnknown> NewTextDocument() { return platform::MakeComObject<TextDocument>().As<IUnknown>(); }

ComPtr<IUnknown> NewDocumentSettings(std::shared_ptr<ContextState> state) {
  return platform::MakeComObject<DocumentSettings>(std::move(state)).As<IUnknown>();
}

}  // namespace kernelstandin
