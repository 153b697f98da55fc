#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string_view>

#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/ComPtr.h"

namespace kernelstandin {

// Runs a kernel method: first the "FailCall" switch for the call's name
// ("Interface.Method"), then the body; what the body raises becomes the
// method's HRESULT.
template <class Body>
HRESULT KernelCall(const wchar_t* call, Body&& body) noexcept;

// Raises ComError(E_POINTER) for a null out-parameter.
template <class T>
void RequireOut(T* out) {
  if (!out) throw platform::ComError(E_POINTER, L"null out-parameter");
}

// Fills a BSTR out-parameter with a copy of the text.
void PutText(BSTR* out, std::wstring_view text);

// Fills an object out-parameter with a new reference to the object.
template <class Out, class T>
void PutObject(Out** out, const platform::ComPtr<T>& object) {
  RequireOut(out);
  platform::ThrowIfFailed(object.CopyTo(__uuidof(Out), reinterpret_cast<void**>(out)), L"handing out an object");
}

HRESULT SwitchedCallResult(const wchar_t* call) noexcept;

template <class Body>
HRESULT KernelCall(const wchar_t* call, Body&& body) noexcept {
  HRESULT switched = SwitchedCallResult(call);
  if (FAILED(switched)) return switched;
  return platform::ComBoundary(std::forward<Body>(body));
}

}  // namespace kernelstandin
