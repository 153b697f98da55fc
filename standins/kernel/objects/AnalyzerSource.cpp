// Source of the template analyzer: hands out the AOT module's analyzer when
// the module is registered, else (or under the switch "OwnAnalyzer") the
// stand-in's own template analyzer, made in process.
#include <span>

#include "CallGuard.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "Switches.h"
#include "OMBREL.h"
#include "platform/com/ComObject.h"

namespace kernelstandin {
namespace {

using platform::InterfaceOf;

constexpr LONG kTemplateAnalyzer = 1;

class AnalyzerSource : public Stubs<INrvaAnalyzerSource> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<AnalyzerSource, INrvaAnalyzerSource>(),
        InterfaceOf<AnalyzerSource, IDispatch, INrvaAnalyzerSource>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE IsAvailable(LONG kind, LONG* available) override {
    return KernelCall(L"INrvaAnalyzerSource.IsAvailable", [&] {
      RequireOut(available);
      *available = kind == kTemplateAnalyzer && !Switches::Number(L"NoAnalyzer") ? 1 : 0;
    });
  }
  HRESULT STDMETHODCALLTYPE GetAnalyzer(LONG kind, IUnknown** analyzer) override {
    return KernelCall(L"INrvaAnalyzerSource.GetAnalyzer", [&]() -> HRESULT {
      RequireOut(analyzer);
      *analyzer = nullptr;
      if (kind != kTemplateAnalyzer) return E_INVALIDARG;
      if (Switches::Number(L"NoAnalyzer")) return REGDB_E_CLASSNOTREG;
      if (!Switches::Number(L"OwnAnalyzer") &&
          SUCCEEDED(CoCreateInstance(CLSID_Norva5TemplateSemiAnalyzer, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                     reinterpret_cast<void**>(analyzer))))
        return S_OK;
      *analyzer = NewTemplateAnalyzer().Detach();
      return S_OK;
    });
  }
};

}  // namespace

ComPtr<IUnknown> NewAnalyzerSource() { return platform::MakeComObject<AnalyzerSource>().As<IUnknown>(); }

}  // namespace kernelstandin
