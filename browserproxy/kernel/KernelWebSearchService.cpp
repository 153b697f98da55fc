#include "browserproxy/kernel/KernelWebSearchService.h"

#include "browserproxy/kernel/KernelObject.h"
#include "browserproxy/kernel/KernelSession.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/Variant.h"

using platform::Bstr;
using platform::ComPtr;
using platform::ThrowIfFailed;
using platform::Variant;

long CKernelWebSearchService::Search(std::wstring& result, const std::wstring& option, const std::wstring& query) {
  try {
    Bstr answer;
    Variant optionValue = Variant::FromString(option);
    if (session_.IsAttached()) {
      ComPtr<INrvaAttachedWebSearch> search;
      if (FAILED(kernel_object::TryCreate(CLSID_NrvaWebSearch, &search))) return 1;
      ThrowIfFailed(search->Search(Bstr(query).Get(), Variant::Missing().Get(), Variant::Missing().Get(),
                                   optionValue.Get(), Variant::Missing().Get(), answer.Receive()),
                    L"web search");
    } else {
      ComPtr<INrvaWebSearch> search;
      if (FAILED(kernel_object::TryCreate(CLSID_NrvaWebSearch, &search))) return 1;
      ThrowIfFailed(search->Search(Bstr(query).Get(), Variant::Missing().Get(), Variant::Missing().Get(),
                                   optionValue.Get(), Variant::Missing().Get(), answer.Receive()),
                    L"web search");
    }
    result = answer.Str();
    return 0;
  } catch (...) {
    session_.ReportCaught();
    return 1;
  }
}

HRESULT CKernelWebSearchService::IsReady() {
  if (session_.IsAttached()) {
    ComPtr<INrvaAttachedWebSearch> search;
    return kernel_object::TryCreate(CLSID_NrvaWebSearch, &search);
  }
  ComPtr<INrvaWebSearch> search;
  return kernel_object::TryCreate(CLSID_NrvaWebSearch, &search);
}
