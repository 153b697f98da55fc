// Language detection of a text.
#include <span>

#include "CallGuard.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "LanguageDetector.h"
#include "platform/com/ComObject.h"

namespace kernelstandin {
namespace {

using platform::InterfaceOf;

class Detector : public Stubs<INrvaLanguageDetector> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<Detector, INrvaLanguageDetector>(),
        InterfaceOf<Detector, IDispatch, INrvaLanguageDetector>(),
    };
    return table;
  }
  HRESULT STDMETHODCALLTYPE Detect(BSTR text, LONG* language, LONG, LONG) override {
    return KernelCall(L"INrvaLanguageDetector.Detect", [&] {
      RequireOut(language);
      *language = DetectLanguage(*KernelData::Installed(), platform::BstrView(text));
    });
  }
};

}  // namespace

ComPtr<IUnknown> NewLanguageDetector() { return platform::MakeComObject<Detector>().As<IUnknown>(); }

}  // namespace kernelstandin
