#include "browserproxy/dictionary/CCustomRtf.h"

#include <string>

#include "platform/com/ComError.h"
#include "shared/ProductFolders.h"

namespace {

const wchar_t kRichEditLibrary[] = L"Riched20.dll";

// Takes one interface of the text services: E_NOINTERFACE leaves it empty,
// any other failure raises.
template <class T>
void TakeInterface(IUnknown* services, const IID& iid, platform::ComPtr<T>& into) {
  HRESULT hr = services->QueryInterface(iid, into.ReceiveVoid());
  if (hr != E_NOINTERFACE) platform::ThrowIfFailed(hr, L"QueryInterface of the text services");
}

}  // namespace

CCustomRtf::~CCustomRtf() {
  // The services hold the host: release them before the host goes.
  textDocument_.Reset();
  textServices_.Reset();
  host_.reset();
}

HRESULT CCustomRtf::Create() {
  try {
    host_ = std::make_unique<CTextHost>();
    std::wstring common = GetProductFolder(L"Common");
    if (!common.empty()) library_ = LoadLibraryW((common + kRichEditLibrary).c_str());
    if (!library_) library_ = LoadLibraryW(kRichEditLibrary);
    if (!library_) return HRESULT_FROM_WIN32(GetLastError());
    createTextServices_ =
        reinterpret_cast<PCreateTextServices>(GetProcAddress(library_, "CreateTextServices"));
    if (!createTextServices_) return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);

    platform::ComPtr<IUnknown> services;
    platform::ThrowIfFailed(createTextServices_(nullptr, host_.get(), services.Receive()),
                            L"CreateTextServices");
    if (!services) return E_UNEXPECTED;
    TakeInterface(services.Get(), kIID_ITextServices, textServices_);
    TakeInterface(services.Get(), kIID_ITextDocument, textDocument_);
    return S_OK;
  } catch (const platform::ComError& error) {
    return error.Result();
  } catch (...) {
    return E_FAIL;
  }
}
