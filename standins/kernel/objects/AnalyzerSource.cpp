// Source of the template analyzer: hands out the analyzer of the template
// selection module (class Norva5TemplateSemiAnalyzer), made in process.
#include <span>

#include "CallGuard.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "Switches.h"
#include "platform/com/ComObject.h"

namespace kernelstandin {
namespace {

using platform::InterfaceOf;

constexpr LONG kTemplateAnalyzer = 1;
const CLSID kAnalyzerClass = {0x54785CE9, 0x939F, 0x4719, {0x86, 0x5C, 0x03, 0x35, 0xB2, 0xFA, 0x5F, 0x25}};

bool AnalyzerInstalled() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{54785CE9-939F-4719-865C-0335B2FA5F25}\\InprocServer32", 0,
                    KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

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
      *available = kind == kTemplateAnalyzer && !Switches::Number(L"NoAnalyzer") && AnalyzerInstalled() ? 1 : 0;
    });
  }
  HRESULT STDMETHODCALLTYPE GetAnalyzer(LONG kind, IUnknown** analyzer) override {
    return KernelCall(L"INrvaAnalyzerSource.GetAnalyzer", [&]() -> HRESULT {
      RequireOut(analyzer);
      *analyzer = nullptr;
      if (kind != kTemplateAnalyzer) return E_INVALIDARG;
      if (Switches::Number(L"NoAnalyzer")) return REGDB_E_CLASSNOTREG;
      return CoCreateInstance(kAnalyzerClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                              reinterpret_cast<void**>(analyzer));
    });
  }
};

}  // namespace

ComPtr<IUnknown> NewAnalyzerSource() { return platform::MakeComObject<AnalyzerSource>().As<IUnknown>(); }

}  // namespace kernelstandin
