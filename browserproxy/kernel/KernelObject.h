#pragma once
#include <windows.h>
#include <ole2.h>

#include "platform/com/ComPtr.h"

// Creation of the translation kernel's objects: by class identifier for any
// server context, for IUnknown; the object is started with OleRun (a local
// server's object runs only then; an in-process one is running already) and
// then asked for the wanted interface.
namespace kernel_object {

HRESULT TryCreateUnknown(REFCLSID clsid, platform::ComPtr<IUnknown>* out) noexcept;

template <class T>
HRESULT TryCreate(REFCLSID clsid, platform::ComPtr<T>* out, REFIID iid = __uuidof(T)) noexcept {
  out->Reset();
  platform::ComPtr<IUnknown> unknown;
  HRESULT hr = TryCreateUnknown(clsid, &unknown);
  if (FAILED(hr)) return hr;
  return unknown->QueryInterface(iid, out->ReceiveVoid());
}

// The same, raising platform::ComError on failure.
template <class T>
platform::ComPtr<T> Create(REFCLSID clsid, REFIID iid = __uuidof(T)) {
  platform::ComPtr<T> result;
  platform::ThrowIfFailed(TryCreate(clsid, &result, iid), L"creating a kernel object");
  return result;
}

}  // namespace kernel_object
