#include "browserproxy/dictionary/CTextHost.h"

#include <cwchar>

#include "platform/base/DeviceContext.h"

const IID kIID_ITextHost = {0x13E670F4, 0x1A5A, 0x11CF, {0xAB, 0xEB, 0x00, 0xAA, 0x00, 0xB6, 0x5E, 0xA1}};
const IID kIID_ITextServices = {0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};
const IID kIID_ITextDocument = {0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

namespace {

// The default character format: the system's message font, in the window
// text colour.
CHARFORMATW DefaultCharFormat() {
  CHARFORMATW format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC |
                  CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_OFFSET;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTW font{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    font = metrics.lfMessageFont;
  else
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  const platform::WindowDC screen(nullptr);
  int pixelsPerInch = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  if (pixelsPerInch <= 0) pixelsPerInch = 96;
  int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
  if (height == 0) height = 13;
  format.yHeight = MulDiv(height, 1440, pixelsPerInch);  // twips
  format.bCharSet = font.lfCharSet;
  format.bPitchAndFamily = font.lfPitchAndFamily;
  wcsncpy(format.szFaceName, font.lfFaceName[0] ? font.lfFaceName : L"Tahoma", LF_FACESIZE - 1);
  if (font.lfWeight >= FW_BOLD) format.dwEffects |= CFE_BOLD;
  if (font.lfItalic) format.dwEffects |= CFE_ITALIC;
  format.crTextColor = GetSysColor(COLOR_WINDOWTEXT);
  return format;
}

PARAFORMAT DefaultParaFormat() {
  PARAFORMAT format{};
  format.cbSize = sizeof format;
  format.dwMask = PFM_ALL;
  format.wAlignment = PFA_LEFT;
  format.cTabCount = 1;
  format.rgxTabs[0] = lDefaultTab;
  return format;
}

}  // namespace

CTextHost::CTextHost() : charFormat_(DefaultCharFormat()), paraFormat_(DefaultParaFormat()) {}

HRESULT CTextHost::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == kIID_ITextHost) {
    *out = static_cast<ITextHost*>(this);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT CTextHost::TxActivate(LONG* oldState) {
  if (oldState) *oldState = 0;
  return S_OK;
}

HRESULT CTextHost::TxGetClientRect(LPRECT rect) {
  if (!rect) return E_INVALIDARG;
  SetRectEmpty(rect);
  return S_OK;
}

HRESULT CTextHost::TxGetViewInset(LPRECT rect) {
  if (!rect) return E_INVALIDARG;
  SetRectEmpty(rect);
  return S_OK;
}

HRESULT CTextHost::TxGetCharFormat(const CHARFORMATW** format) {
  if (!format) return E_INVALIDARG;
  *format = &charFormat_;
  return S_OK;
}

HRESULT CTextHost::TxGetParaFormat(const PARAFORMAT** format) {
  if (!format) return E_INVALIDARG;
  *format = &paraFormat_;
  return S_OK;
}

HRESULT CTextHost::TxGetBackStyle(TXTBACKSTYLE* style) {
  if (!style) return E_INVALIDARG;
  *style = TXTBACK_OPAQUE;
  return S_OK;
}

HRESULT CTextHost::TxGetMaxLength(DWORD* length) {
  if (!length) return E_INVALIDARG;
  *length = 0xFFFFFFFF;
  return S_OK;
}

HRESULT CTextHost::TxGetScrollBars(DWORD* scrollBars) {
  if (!scrollBars) return E_INVALIDARG;
  *scrollBars = 0;
  return S_OK;
}

HRESULT CTextHost::TxGetAcceleratorPos(LONG* position) {
  if (!position) return E_INVALIDARG;
  *position = -1;
  return S_OK;
}

HRESULT CTextHost::TxGetPropertyBits(DWORD mask, DWORD* bits) {
  if (!bits) return E_INVALIDARG;
  *bits = mask & kPropertyBits;
  return S_OK;
}

HRESULT CTextHost::TxGetSelectionBarWidth(LONG* width) {
  if (!width) return E_INVALIDARG;
  *width = 0;
  return S_OK;
}
