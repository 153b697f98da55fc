#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <span>
#include <string>

#include "TessivaLib.h"
#include "browserproxy/core/BrowserSettings.h"
#include "browserproxy/core/NorvaConnector.h"
#include "browserproxy/core/TessivaTypeLibrary.h"
#include "browserproxy/ui/ToolTipTranslateWnd.h"
#include "browserproxy/ui/ToolTipWordWnd.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"

struct BrowserDescriptor;

// The direction and template last used for one page address.
struct PageDirectionInfo {
  long directionId = 0;
  platform::Bstr templateId;
};

// The object a plug-in works with: one per browser type, kept by
// CWebClassCreator. Owns the connector, the settings and the popups of its
// browser. Every member runs on the program's apartment thread.
class CNorvaBrowserClass : public platform::Dispatch<INorvaBrowserClass2, g_tessivaTypeLibrary> {
 public:
  CNorvaBrowserClass() = default;
  virtual ~CNorvaBrowserClass();

  static std::span<const platform::InterfaceEntry> Interfaces();

  // INorvaBrowserClass: state, lists and settings.
  STDMETHODIMP Initialize(ENorvaBrowserType eType, INorvaBrowserAppCounterEvents* pAppIntegration,
                          LONG ParentHwnd) override;
  STDMETHODIMP get_DirsCount(ULONG* pVal) override;
  STDMETHODIMP get_DirName(LONG Idx, BSTR* pVal) override;
  STDMETHODIMP get_DirID(ULONG Idx, LONG* pVal) override;
  STDMETHODIMP get_TmplCount(ULONG* pVal) override;
  STDMETHODIMP get_TmplName(ULONG Idx, BSTR* pVal) override;
  STDMETHODIMP get_ActiveDirID(LONG* pVal) override;
  STDMETHODIMP put_ActiveDirID(LONG newVal) override;
  STDMETHODIMP get_ActiveDirIndex(ULONG* pVal) override;
  STDMETHODIMP put_ActiveDirIndex(ULONG newVal) override;
  STDMETHODIMP get_ActiveTplId(BSTR* pVal) override;
  STDMETHODIMP put_ActiveTplId(BSTR newVal) override;
  STDMETHODIMP get_IsDisable(LONG* pVal) override;
  STDMETHODIMP get_BrowserType(ENorvaBrowserType* pVal) override;
  STDMETHODIMP get_TmplCountByDirIdx(ULONG DirIDIdx, ULONG* pVal) override;
  STDMETHODIMP get_TmplNameByDirIdx(ULONG Idx, ULONG DirIDIdx, BSTR* pVal) override;
  STDMETHODIMP get_ActiveTplIndex(ULONG* pVal) override;
  STDMETHODIMP get_PluginTitle(BSTR* pVal) override;
  STDMETHODIMP SetSetting(BSTR Name, VARIANT Value) override;
  STDMETHODIMP GetSetting(BSTR Name, VARIANT DefVal, VARIANT* pValue) override;

  // INorvaBrowserClass: translation, popups and dialogs.
  STDMETHODIMP TranslateText(BSTR Source, BSTR* Target) override;
  STDMETHODIMP TranslatePage(BSTR PageUrl, BSTR PageSource, BSTR PageDest) override;
  STDMETHODIMP TranslateTextDlg(BSTR Text, LONG lX_Y, VARIANT pvtRect, VARIANT TDlgType,
                                VARIANT ParentHwnd) override;
  STDMETHODIMP TranslateTextWithProgress(BSTR Source, BSTR Dest, VARIANT Format) override;
  STDMETHODIMP ShowSettings(LONG hwnd, VARIANT ActPage) override;
  STDMETHODIMP ShowAot(BSTR Text) override;
  STDMETHODIMP ShowWebSearch(VARIANT Text, BSTR* pVal) override;
  STDMETHODIMP ShowHelp() override;
  STDMETHODIMP ShowAboutDlg() override;
  STDMETHODIMP ShowMessageBox(BSTR bstrText, VARIANT ulStyle, VARIANT* pVal) override;
  STDMETHODIMP GetCtrlDoc(IDispatch** ppDisp) override;
  STDMETHODIMP GetDirectirons(IDispatch** ppDisp) override;
  STDMETHODIMP GetPageInformation(BSTR Url, BSTR Source, VARIANT* pVal) override;
  // INorvaBrowserClass2
  STDMETHODIMP GetPageInformation2(BSTR Url, BSTR SourceFull, BSTR Source, VARIANT* pVal) override;

  // Hands a caught failure to the connector's error report.
  void ReportError(HRESULT hr) noexcept;
  HWND WordPopupWindow() const { return wordPopup_.Hwnd(); }
  HWND SelectionPopupWindow() const { return selectionPopup_.Hwnd(); }

 private:
  HRESULT InitializeEngine(LONG parentHwnd, INorvaBrowserAppCounterEvents* appIntegration);
  HRESULT FallBackToFirstDirection(HRESULT firstError);
  // Runs a connector call under the rules of the list properties: no
  // connector E_FAIL; a raised COM error is reported and answered.
  template <class Body>
  HRESULT WithConnector(Body&& body) noexcept;
  const BrowserDescriptor& Row() const;
  // The hint that there is no text to translate, over the window in front.
  void ShowSelectTextHint();
  // Runs a file or page job with a progress dialog of that title: S_OK when
  // the destination holds the result, S_FALSE when not; COM errors raised.
  HRESULT RunFileJob(TranslateFileJob& job, UINT titleId);
  // The active direction and template remembered for a translated page.
  void RememberPage(BSTR pageUrl);
  // The kinds of TranslateTextDlg.
  HRESULT TranslateTextWordPopup(BSTR text, LONG point, const VARIANT& rect, HWND parent);
  HRESULT TranslateTextSelectionPopup(BSTR text, LONG point, const VARIANT& rect, HWND parent);
  void ShowWordPopup(const std::wstring& text, LONG point, const VARIANT& rect, HWND parent);
  void HideWordPopup(LONG point, const VARIANT& rect, HWND parent);
  // A setting as a number; the fallback when it has no value or no number.
  long SettingNumber(const wchar_t* name, long fallback) const;
  bool HasSetting(const wchar_t* name) const;
  // Dialogs and display methods (NorvaBrowserClassDialogs.cpp).
  HRESULT ShowTranslateFrame(BSTR Text, LONG lX_Y, const VARIANT& ParentHwnd);
  void ShowStringMessage(UINT stringId);
  bool UsesSmartUrl() const;
  // Remembers the active direction and template of a translated page in the smart-URL store.
  void RememberPageInStore(BSTR pageUrl);
  // The active template by the name the template list gives it.
  std::wstring ActiveTemplateName();
  HRESULT HandOutEngineObject(IDispatch** ppDisp, bool directions);
  HRESULT PageInformation(BSTR Url, BSTR directionSource, BSTR templateSource, bool second, VARIANT* pVal);

  std::unique_ptr<INorvaConnector> connector_;
  CBrowserSettings settings_;
  ENorvaBrowserType browserType_ = EPBT_OPERA;
  bool initialized_ = false;
  bool initializeCalled_ = false;
  platform::ComPtr<INorvaBrowserAppCounterEvents> appIntegration_;
  std::map<std::wstring, PageDirectionInfo> pageMemory_;
  std::wstring title_;
  CToolTipWordWnd wordPopup_;
  CToolTipTranslateWnd selectionPopup_;
};
