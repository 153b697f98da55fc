// The word and selection popups of TranslateTextDlg.
#include <string>

#include "browserproxy/core/NorvaBrowserClass.h"
#include "browserproxy/core/SelectionLimiter.h"
#include "platform/com/ComError.h"
#include "platform/com/Variant.h"

namespace {

constexpr long kDefaultDelay = 500;
constexpr long kDefaultLimit = 100;

std::wstring FromBstr(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

std::wstring TrimSpaces(const std::wstring& text) {
  size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return std::wstring();
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

// Wine keeps "pressed since the last query" for the left and right Ctrl keys
// but never for VK_CONTROL itself; Windows keeps it for all three. All three
// are asked, so that each is cleared as a query clears it.
bool CtrlPressedSinceLastQuery() {
  const SHORT generic = GetAsyncKeyState(VK_CONTROL);
  const SHORT left = GetAsyncKeyState(VK_LCONTROL);
  const SHORT right = GetAsyncKeyState(VK_RCONTROL);
  return ((generic | left | right) & 1) != 0;
}

}  // namespace

long CNorvaBrowserClass::SettingNumber(const wchar_t* name, long fallback) const {
  platform::Variant value = settings_.GetValue(name);
  if (platform::IsMissing(value.Get()) || value.Type() == VT_EMPTY) return fallback;
  try {
    return value.ChangedTo(VT_I4).Get().lVal;
  } catch (...) {
    return fallback;
  }
}

bool CNorvaBrowserClass::HasSetting(const wchar_t* name) const {
  platform::Variant value = settings_.GetValue(name);
  return !platform::IsMissing(value.Get()) && value.Type() != VT_EMPTY;
}

void CNorvaBrowserClass::ShowWordPopup(const std::wstring& text, LONG point, const VARIANT& rect, HWND parent) {
  const long delay = SettingNumber(L"PopupWordDelay", kDefaultDelay);
  wordPopup_.ShowWord(text, point, rect, connector_->GetActiveDirID(), static_cast<UINT>(delay < 0 ? 0 : delay),
                      parent);
}

void CNorvaBrowserClass::HideWordPopup(LONG point, const VARIANT& rect, HWND parent) {
  ShowWordPopup(std::wstring(), point, rect, parent);
  wordPopup_.CancelPending();
  if (wordPopup_.Hwnd()) ShowWindow(wordPopup_.Hwnd(), SW_HIDE);
}

HRESULT CNorvaBrowserClass::TranslateTextWordPopup(BSTR Text, LONG lX_Y, const VARIANT& pvtRect, HWND parent) {
  try {
    const bool selectionShown = selectionPopup_.Hwnd() && IsWindowVisible(selectionPopup_.Hwnd());
    if (SettingNumber(L"UseTranslateWordPopup", 1) != 1 || selectionShown) return S_OK;
    // Ctrl or the left button pressed since the last query of its state
    // (the low bit), whether or not it is still down.
    if (SettingNumber(L"TranslateCtrl", 0) == 1 && CtrlPressedSinceLastQuery()) {
      HideWordPopup(lX_Y, pvtRect, parent);
      return S_OK;
    }
    if (GetAsyncKeyState(VK_LBUTTON) & 1) {
      HideWordPopup(lX_Y, pvtRect, parent);
      return S_OK;
    }
    const long mode = SettingNumber(L"TranslateWordPopupMode", 0);
    if (mode == 0 || (mode == 1 && HasSetting(L"TranslateWordPopupKey"))) {
      if (SysStringLen(Text) > 0)
        ShowWordPopup(FromBstr(Text), lX_Y, pvtRect, parent);
      else
        HideWordPopup(lX_Y, pvtRect, parent);
    } else {
      HideWordPopup(lX_Y, pvtRect, parent);
    }
    return S_OK;
  } catch (const platform::ComError& e) {
    ReportError(e.Result());
    return e.Result();
  }
}

HRESULT CNorvaBrowserClass::TranslateTextSelectionPopup(BSTR Text, LONG lX_Y, const VARIANT& pvtRect, HWND parent) {
  try {
    if (SettingNumber(L"UseTranslateWordPopup", 1) != 1) return S_OK;
    if (wordPopup_.Hwnd() && IsWindowVisible(wordPopup_.Hwnd())) HideWordPopup(lX_Y, pvtRect, parent);
    std::wstring text = TrimSpaces(FromBstr(Text));
    if (!text.empty() && text.find(L' ') == std::wstring::npos) {
      ShowWordPopup(text, lX_Y, pvtRect, parent);
      return S_OK;
    }
    text = LimitSelection(text, SettingNumber(L"LimitedTextAmount", kDefaultLimit));
    if (wordPopup_.Hwnd() && IsWindowVisible(wordPopup_.Hwnd())) return S_OK;
    std::wstring translation;
    if (!text.empty()) connector_->TranslateText(text, translation, 0);
    const long delay = SettingNumber(L"PopupWordDelay", kDefaultDelay);
    selectionPopup_.ShowTranslation(translation, lX_Y, pvtRect, static_cast<UINT>(delay < 0 ? 0 : delay), parent,
                                    0);
    return S_OK;
  } catch (const platform::ComError& e) {
    ReportError(e.Result());
    return e.Result();
  }
}
