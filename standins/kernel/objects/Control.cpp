// The kernel control (log-on, mode flag, its context) and the object that
// hands it out.
#include <span>

#include "CallGuard.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "Reports.h"
#include "Switches.h"
#include "platform/com/ComObject.h"
#include "platform/com/Variant.h"

namespace kernelstandin {
namespace {

using platform::Bstr;
using platform::InterfaceOf;

class Control : public Stubs<INrvaControl> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<Control, INrvaControl>(),
        InterfaceOf<Control, INrvaLogon, INrvaControl>(),
        InterfaceOf<Control, IDispatch, INrvaControl>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetTemplateManager(IDispatch** manager) override {
    return KernelCall(L"INrvaLogon.GetTemplateManager", [&] {
      RequireOut(manager);
      platform::ThrowIfFailed(Context().Query<INrvaContextBase>()->GetDirectionList(manager));
    });
  }
  HRESULT STDMETHODCALLTYPE GetDocument(IDispatch** document) override {
    return KernelCall(L"INrvaLogon.GetDocument", [&] { PutObject(document, NewTextDocument()); });
  }
  HRESULT STDMETHODCALLTYPE GetContext(IDispatch** context) override {
    return KernelCall(L"INrvaLogon.GetContext", [&] { PutObject(context, Context()); });
  }
  HRESULT STDMETHODCALLTYPE LogOn(LONG owner, BSTR client, VARIANT, VARIANT user, VARIANT,
                                  LONG* accepted) override {
    return KernelCall(L"INrvaLogon.LogOn", [&] {
      RequireOut(accepted);
      Reports::SetNumber(L"LogOnOwner", static_cast<DWORD>(owner));
      Reports::SetText(L"LogOnClient", std::wstring(platform::BstrView(client)));
      Reports::SetText(L"LogOnUser", user.vt == VT_BSTR ? std::wstring(platform::BstrView(user.bstrVal)) : std::wstring());
      *accepted = Switches::Number(L"FailLogOn") ? 0 : 1;
    });
  }
  HRESULT STDMETHODCALLTYPE GetDetached(VARIANT_BOOL* detached) override {
    return KernelCall(L"INrvaControl.GetDetached", [&] {
      RequireOut(detached);
      *detached = Switches::Number(L"DetachedControl") ? VARIANT_TRUE : VARIANT_FALSE;
    });
  }

 private:
  // The control's own context, made at first use; it starts opened.
  const ComPtr<IUnknown>& Context() {
    if (!context_) {
      context_ = NewContext();
      platform::Variant missing = platform::Variant::Missing();
      platform::ThrowIfFailed(context_.Query<INrvaContextBase>()->Open(Bstr(L"control").Get(), missing.Get(),
                                                                        missing.Get()));
    }
    return context_;
  }

  ComPtr<IUnknown> context_;
};

class ControlSource : public Stubs<INrvaControlSource> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<ControlSource, INrvaControlSource>(),
        InterfaceOf<ControlSource, IDispatch, INrvaControlSource>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetControl(IDispatch** control) override {
    return KernelCall(L"INrvaControlSource.GetControl", [&] {
      if (!control_) control_ = NewControl();
      PutObject(control, control_);
    });
  }

 private:
  ComPtr<IUnknown> control_;
};

}  // namespace

ComPtr<IUnknown> NewControl() { return platform::MakeComObject<Control>().As<IUnknown>(); }
ComPtr<IUnknown> NewControlSource() { return platform::MakeComObject<ControlSource>().As<IUnknown>(); }

}  // namespace kernelstandin
