#include "platform/com/DispatchCall.h"

#include <vector>

#include "platform/com/ComError.h"

namespace platform {

HRESULT InvokeById(IDispatch* object, DISPID id, WORD flags, std::span<const VARIANT> args, Variant* result) {
  if (!object) return E_POINTER;
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPID putId = DISPID_PROPERTYPUT;
  const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  DISPPARAMS params = {reversed.data(), put ? &putId : nullptr, static_cast<UINT>(reversed.size()),
                       put ? 1u : 0u};
  EXCEPINFO exception{};
  UINT argError = 0;
  Variant ignored;
  HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                              result ? result->Receive() : ignored.Receive(), &exception, &argError);
  if (hr == DISP_E_EXCEPTION) {
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    if (FAILED(exception.scode)) hr = exception.scode;
  }
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return hr;
}

DISPID DispIdOf(IDispatch* object, const wchar_t* name) {
  if (!object) throw ComError(E_POINTER, L"GetIDsOfNames on an empty pointer");
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  ThrowIfFailed(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
                (std::wstring(L"Finding the member ") + name).c_str());
  return id;
}

Variant CallByName(IDispatch* object, const wchar_t* name, std::span<const VARIANT> args, WORD flags) {
  Variant result;
  ThrowIfFailed(InvokeById(object, DispIdOf(object, name), flags, args, &result),
                (std::wstring(L"Calling ") + name).c_str());
  return result;
}

}  // namespace platform
