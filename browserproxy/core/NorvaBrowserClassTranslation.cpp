// Translation, popups and dialogs of the browser object: not served yet.
#include "browserproxy/core/NorvaBrowserClass.h"

HRESULT CNorvaBrowserClass::TranslateText(BSTR, BSTR*) { return E_NOTIMPL; }
HRESULT CNorvaBrowserClass::TranslatePage(BSTR, BSTR, BSTR) { return E_NOTIMPL; }
HRESULT CNorvaBrowserClass::TranslateTextDlg(BSTR, LONG, VARIANT, VARIANT, VARIANT) { return E_NOTIMPL; }
HRESULT CNorvaBrowserClass::TranslateTextWithProgress(BSTR, BSTR, VARIANT) { return E_NOTIMPL; }
HRESULT CNorvaBrowserClass::ShowSettings(LONG, VARIANT) { return E_NOTIMPL; }
HRESULT CNorvaBrowserClass::ShowAot(BSTR) { return E_NOTIMPL; }
HRESULT CNorvaBrowserClass::ShowWebSearch(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CNorvaBrowserClass::ShowHelp() { return E_NOTIMPL; }
HRESULT CNorvaBrowserClass::ShowAboutDlg() { return E_NOTIMPL; }
HRESULT CNorvaBrowserClass::ShowMessageBox(BSTR, VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CNorvaBrowserClass::GetCtrlDoc(IDispatch**) { return E_NOTIMPL; }
HRESULT CNorvaBrowserClass::GetDirectirons(IDispatch**) { return E_NOTIMPL; }
HRESULT CNorvaBrowserClass::GetPageInformation(BSTR, BSTR, VARIANT*) { return E_NOTIMPL; }
HRESULT CNorvaBrowserClass::GetPageInformation2(BSTR, BSTR, BSTR, VARIANT*) { return E_NOTIMPL; }
