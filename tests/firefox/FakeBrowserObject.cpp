#include "FakeBrowserObject.h"

#include "platform/com/SafeArray.h"
#include "platform/com/Variant.h"

namespace {

enum : DISPID { kEcho = 1, kRefuse = 2, kQuit = 3 };

}  // namespace

HRESULT FakeBrowserObject::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_INorvaBrowserClass) return E_NOINTERFACE;
  *out = static_cast<INorvaBrowserClass*>(this);
  AddRef();
  return S_OK;
}

ULONG FakeBrowserObject::Release() {
  LONG count = InterlockedDecrement(&refs_);
  if (count == 0) delete this;
  return count;
}

HRESULT FakeBrowserObject::GetTypeInfoCount(UINT* count) {
  if (count) *count = 0;
  return S_OK;
}

HRESULT FakeBrowserObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids || count != 1) return E_INVALIDARG;
  std::wstring name = names[0];
  ids[0] = name == L"Echo"     ? static_cast<DISPID>(kEcho)
           : name == L"Refuse" ? static_cast<DISPID>(kRefuse)
           : name == L"Quit"   ? static_cast<DISPID>(kQuit)
                               : static_cast<DISPID>(DISPID_UNKNOWN);
  return ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT FakeBrowserObject::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                  UINT*) {
  switch (id) {
    case kEcho:
      if (!params || params->cArgs != 1 || params->rgvarg[0].vt != VT_BSTR) return DISP_E_BADPARAMCOUNT;
      if (result) {
        VariantInit(result);
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(params->rgvarg[0].bstrVal);
      }
      return S_OK;
    case kRefuse:
      if (result) {
        VariantInit(result);
        result->vt = VT_I4;
        result->lVal = 99;
      }
      return S_FALSE;
    case kQuit:
      PostQuitMessage(7);
      return S_OK;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

HRESULT FakeBrowserObject::TranslateTextDlg(BSTR Text, LONG lX_Y, VARIANT pvtRect, VARIANT TDlgType,
                                            VARIANT ParentHwnd) {
  PopupRequest request;
  request.text = Text ? Text : L"";
  request.point = lX_Y;
  if (SAFEARRAY* array = platform::ArrayOf(pvtRect))
    for (ULONG i = 0; i < platform::ElementCount(array); ++i) request.rect.push_back(platform::Int32At(array, i));
  if (!platform::IsMissing(TDlgType)) request.kind = TDlgType.vt == VT_INT ? TDlgType.intVal : -2;
  if (!platform::IsMissing(ParentHwnd)) request.parent = ParentHwnd.vt == VT_UINT ? ParentHwnd.uintVal : ~0u;
  requests.push_back(request);
  return S_OK;
}

HRESULT FakeBrowserObject::GetSetting(BSTR Name, VARIANT, VARIANT* pValue) {
  if (!pValue) return E_INVALIDARG;
  VariantInit(pValue);
  auto found = settings.find(Name ? Name : L"");
  if (found == settings.end()) {
    pValue->vt = VT_ERROR;
    pValue->scode = DISP_E_PARAMNOTFOUND;
  } else {
    pValue->vt = VT_I4;
    pValue->lVal = found->second;
  }
  return S_OK;
}
