#pragma once
#include <windows.h>
#include <richedit.h>
#include <textserv.h>

// A minimal windowless, non-interactive host for the RichEdit text services:
// rich, multi-line text with default character and paragraph formats and
// nothing of a window (no caret, scroll bars, timers or capture). Not
// reference counted: AddRef and Release do nothing, its owner deletes it.
class CTextHost : public ITextHost {
 public:
  CTextHost();
  virtual ~CTextHost() = default;
  CTextHost(const CTextHost&) = delete;
  CTextHost& operator=(const CTextHost&) = delete;

  // IUnknown: IUnknown and ITextHost answer this object; anything else E_NOINTERFACE.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 0; }
  ULONG STDMETHODCALLTYPE Release() override { return 0; }

  HDC TxGetDC() override { return nullptr; }
  INT TxReleaseDC(HDC) override { return 1; }
  WINBOOL TxShowScrollBar(INT, WINBOOL) override { return FALSE; }
  WINBOOL TxEnableScrollBar(INT, INT) override { return FALSE; }
  WINBOOL TxSetScrollRange(INT, LONG, INT, WINBOOL) override { return FALSE; }
  WINBOOL TxSetScrollPos(INT, INT, WINBOOL) override { return FALSE; }
  void TxInvalidateRect(LPCRECT, WINBOOL) override {}
  void TxViewChange(WINBOOL) override {}
  WINBOOL TxCreateCaret(HBITMAP, INT, INT) override { return FALSE; }
  WINBOOL TxShowCaret(WINBOOL) override { return FALSE; }
  WINBOOL TxSetCaretPos(INT, INT) override { return FALSE; }
  WINBOOL TxSetTimer(UINT, UINT) override { return FALSE; }
  void TxKillTimer(UINT) override {}
  void TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) override {}
  void TxSetCapture(WINBOOL) override {}
  void TxSetFocus() override {}
  void TxSetCursor(HCURSOR, WINBOOL) override {}
  WINBOOL TxScreenToClient(LPPOINT) override { return FALSE; }
  WINBOOL TxClientToScreen(LPPOINT) override { return FALSE; }
  HRESULT TxActivate(LONG* oldState) override;
  HRESULT TxDeactivate(LONG) override { return S_OK; }
  // An empty rectangle: the host has no window; callers draw into bounds of their own.
  HRESULT TxGetClientRect(LPRECT rect) override;
  HRESULT TxGetViewInset(LPRECT rect) override;
  HRESULT TxGetCharFormat(const CHARFORMATW** format) override;
  HRESULT TxGetParaFormat(const PARAFORMAT** format) override;
  COLORREF TxGetSysColor(int index) override { return GetSysColor(index); }
  HRESULT TxGetBackStyle(TXTBACKSTYLE* style) override;
  HRESULT TxGetMaxLength(DWORD* length) override;
  HRESULT TxGetScrollBars(DWORD* scrollBars) override;
  HRESULT TxGetPasswordChar(TCHAR* character) override { return S_FALSE; }
  HRESULT TxGetAcceleratorPos(LONG* position) override;
  HRESULT TxGetExtent(LPSIZEL) override { return E_NOTIMPL; }
  HRESULT OnTxCharFormatChange(const CHARFORMATW*) override { return S_OK; }
  HRESULT OnTxParaFormatChange(const PARAFORMAT*) override { return S_OK; }
  // Of the bits asked for, only rich text, multi-line and the two
  // format-change bits are set.
  HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) override;
  HRESULT TxNotify(DWORD, void*) override { return S_OK; }
  HIMC TxImmGetContext() override { return nullptr; }
  void TxImmReleaseContext(HIMC) override {}
  HRESULT TxGetSelectionBarWidth(LONG* width) override;

  static constexpr DWORD kPropertyBits =
      TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_CHARFORMATCHANGE | TXTBIT_PARAFORMATCHANGE;

 private:
  CHARFORMATW charFormat_{};
  PARAFORMAT paraFormat_{};
};

// Interface identifiers of the text services, defined here: the import
// library's symbols can resolve to thunks instead of data.
extern const IID kIID_ITextHost;
extern const IID kIID_ITextServices;
extern const IID kIID_ITextDocument;
