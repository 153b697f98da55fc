#include "browserproxy/kernel/KernelObject.h"

namespace kernel_object {

HRESULT TryCreateUnknown(REFCLSID clsid, platform::ComPtr<IUnknown>* out) noexcept {
  out->Reset();
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, out->ReceiveVoid());
  if (FAILED(hr)) return hr;
  hr = OleRun(out->Get());
  if (FAILED(hr)) out->Reset();
  return hr;
}

}  // namespace kernel_object
