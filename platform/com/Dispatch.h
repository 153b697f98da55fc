#pragma once
#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include "platform/com/ComError.h"
#include "platform/com/ComPtr.h"
#include "platform/com/OptionalObjectArguments.h"
#include "platform/com/TypeLibrary.h"

namespace platform {

// IDispatch of a dual interface I, answered from I's description in the
// type library Library: calls by name (GetIDsOfNames) and by DISPID (Invoke)
// reach I's own methods through ITypeInfo::Invoke, which converts the
// arguments and fills EXCEPINFO. Derive from Dispatch<I, lib> instead of I.
// A left-out optional interface-pointer argument reaches the method as null.
// When I extends a dual interface with methods the library does not describe,
// Described names that base: IDispatch then answers its members only.
template <class I, TypeLibrary& Library, class Described = I>
class Dispatch : public I {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return ComBoundary([&] { return Library.TypeInfo(__uuidof(Described)).CopyTo(out); });
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids) return E_POINTER;
    return ComBoundary([&] { return Library.TypeInfo(__uuidof(Described))->GetIDsOfNames(names, count, ids); });
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argError) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return ComBoundary([&] {
      ComPtr<ITypeInfo> info = Library.VtableTypeInfo(__uuidof(Described));
      // A left-out optional interface pointer must arrive null, not as the missing value's code.
      CompletedArguments args(Library.ObjectParameters(__uuidof(Described), id, flags), params ? *params : none);
      HRESULT hr = info->Invoke(static_cast<Described*>(static_cast<I*>(this)), id, flags, args.Params(), result,
                                exception, argError);
      if (argError && (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND)) *argError = args.CallersIndex(*argError);
      return hr;
    });
  }
};

}  // namespace platform
