// Web search: the answer is the search address made from services.txt.
#include <span>

#include "CallGuard.h"
#include "KernelObjects.h"
#include "KernelStubs.h"
#include "platform/com/ComObject.h"

namespace kernelstandin {
namespace {

using platform::Bstr;
using platform::InterfaceOf;

std::wstring Replace(std::wstring text, const std::wstring& what, const std::wstring& with) {
  for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

class WebSearch : public Stubs<INrvaWebSearch>, public Stubs<INrvaAttachedWebSearch> {
 public:
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {
        InterfaceOf<WebSearch, INrvaWebSearch>(),
        InterfaceOf<WebSearch, IDispatch, INrvaWebSearch>(),
        InterfaceOf<WebSearch, INrvaAttachedWebSearch>(),
    };
    return table;
  }

  HRESULT STDMETHODCALLTYPE Search(BSTR query, VARIANT, VARIANT, VARIANT option, VARIANT, BSTR* result) override {
    return KernelCall(L"INrvaWebSearch.Search", [&] {
      RequireOut(result);
      std::wstring pattern = KernelData::Installed()->Service(L"WebSearch");
      std::wstring where = option.vt == VT_BSTR ? std::wstring(platform::BstrView(option.bstrVal)) : std::wstring();
      PutText(result, Replace(Replace(pattern, L"%q", std::wstring(platform::BstrView(query))), L"%o", where));
    });
  }
};

}  // namespace

ComPtr<IUnknown> NewWebSearch() { return platform::MakeComObject<WebSearch>().As<IUnknown>(); }

}  // namespace kernelstandin
