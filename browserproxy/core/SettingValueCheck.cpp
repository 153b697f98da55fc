#include "browserproxy/core/SettingValueCheck.h"

#include <oleauto.h>

#include "platform/com/Bstr.h"

namespace settingvalue {

namespace {

bool IsObjectType(VARTYPE type) { return type == VT_DISPATCH || type == VT_UNKNOWN || type == VT_RECORD; }

// An array of objects, or of VARIANTs that hold one.
HRESULT CheckArray(VARTYPE elementType, SAFEARRAY* array) {
  if (IsObjectType(elementType)) return E_INVALIDARG;
  if (!array || elementType != VT_VARIANT) return S_OK;
  ULONG count = 1;
  for (UINT d = 0; d < array->cDims; ++d) count *= array->rgsabound[d].cElements;
  void* data = nullptr;
  if (FAILED(SafeArrayAccessData(array, &data))) return E_INVALIDARG;
  HRESULT result = S_OK;
  for (ULONG i = 0; i < count && result == S_OK; ++i) result = Check(static_cast<const VARIANT*>(data)[i]);
  SafeArrayUnaccessData(array);
  return result;
}

}  // namespace

HRESULT Check(const VARIANT& value) {
  if (value.vt & VT_BYREF) return E_INVALIDARG;
  if (value.vt & VT_ARRAY) return CheckArray(static_cast<VARTYPE>(value.vt & VT_TYPEMASK), value.parray);
  if (IsObjectType(value.vt)) return E_INVALIDARG;
  if (value.vt == VT_BSTR && platform::HasEmbeddedNul(value.bstrVal)) return E_INVALIDARG;
  return S_OK;
}

}  // namespace settingvalue
