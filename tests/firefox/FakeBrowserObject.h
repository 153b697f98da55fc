#pragma once
// A browser object in the test's own apartment, for the plug-in's parts
// that only call it: it records the popup requests (TranslateTextDlg),
// answers settings from a table, and serves a few members by name through
// IDispatch ("Echo" answers its text; "Refuse" answers S_FALSE; "Quit"
// posts WM_QUIT to the calling thread's queue first).
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "TessivaLib.h"

struct PopupRequest {
  std::wstring text;
  LONG point = 0;
  std::vector<LONG> rect;  // empty when missing
  int kind = -1;           // -1 when missing
  UINT_PTR parent = 0;     // 0 when missing
};

class FakeBrowserObject final : public INorvaBrowserClass {
 public:
  std::vector<PopupRequest> requests;
  std::map<std::wstring, int> settings;  // missing names answer the missing value

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                   UINT*) override;

  HRESULT STDMETHODCALLTYPE TranslateTextDlg(BSTR Text, LONG lX_Y, VARIANT pvtRect, VARIANT TDlgType,
                                             VARIANT ParentHwnd) override;
  HRESULT STDMETHODCALLTYPE GetSetting(BSTR Name, VARIANT DefVal, VARIANT* pValue) override;

#define FAKE_NOTIMPL(signature) \
  HRESULT STDMETHODCALLTYPE signature override { return E_NOTIMPL; }
  FAKE_NOTIMPL(Initialize(ENorvaBrowserType, INorvaBrowserAppCounterEvents*, LONG))
  FAKE_NOTIMPL(TranslateText(BSTR, BSTR*))
  FAKE_NOTIMPL(TranslatePage(BSTR, BSTR, BSTR))
  FAKE_NOTIMPL(TranslateTextWithProgress(BSTR, BSTR, VARIANT))
  FAKE_NOTIMPL(get_DirsCount(ULONG*))
  FAKE_NOTIMPL(get_DirName(LONG, BSTR*))
  FAKE_NOTIMPL(get_DirID(ULONG, LONG*))
  FAKE_NOTIMPL(get_TmplCount(ULONG*))
  FAKE_NOTIMPL(get_TmplName(ULONG, BSTR*))
  FAKE_NOTIMPL(get_ActiveDirID(LONG*))
  FAKE_NOTIMPL(put_ActiveDirID(LONG))
  FAKE_NOTIMPL(get_ActiveDirIndex(ULONG*))
  FAKE_NOTIMPL(put_ActiveDirIndex(ULONG))
  FAKE_NOTIMPL(get_ActiveTplId(BSTR*))
  FAKE_NOTIMPL(put_ActiveTplId(BSTR))
  FAKE_NOTIMPL(get_IsDisable(LONG*))
  FAKE_NOTIMPL(get_BrowserType(ENorvaBrowserType*))
  FAKE_NOTIMPL(get_TmplCountByDirIdx(ULONG, ULONG*))
  FAKE_NOTIMPL(get_TmplNameByDirIdx(ULONG, ULONG, BSTR*))
  FAKE_NOTIMPL(get_ActiveTplIndex(ULONG*))
  FAKE_NOTIMPL(get_PluginTitle(BSTR*))
  FAKE_NOTIMPL(ShowSettings(LONG, VARIANT))
  FAKE_NOTIMPL(ShowAot(BSTR))
  FAKE_NOTIMPL(ShowWebSearch(VARIANT, BSTR*))
  FAKE_NOTIMPL(ShowHelp())
  FAKE_NOTIMPL(ShowAboutDlg())
  FAKE_NOTIMPL(ShowMessageBox(BSTR, VARIANT, VARIANT*))
  FAKE_NOTIMPL(SetSetting(BSTR, VARIANT))
  FAKE_NOTIMPL(GetCtrlDoc(IDispatch**))
  FAKE_NOTIMPL(GetDirectirons(IDispatch**))
  FAKE_NOTIMPL(GetPageInformation(BSTR, BSTR, VARIANT*))
#undef FAKE_NOTIMPL

 private:
  LONG refs_ = 0;
};
