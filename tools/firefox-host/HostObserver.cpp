#include "HostObserver.h"

#include <algorithm>
#include <cstring>

NS_IMETHODIMP HostObserver::QueryInterface(const nsIID& iid, void** result) {
  if (!result) return NS_ERROR_NULL_POINTER;
  *result = nullptr;
  if (memcmp(&iid, &__uuidof(IFervix9Observer), sizeof(nsIID)) != 0 &&
      memcmp(&iid, &__uuidof(nsISupports), sizeof(nsIID)) != 0)
    return NS_NOINTERFACE;
  *result = static_cast<IFervix9Observer*>(this);
  AddRef();
  return NS_OK;
}

nsrefcnt __stdcall HostObserver::Release() {
  nsrefcnt count = --refs_;
  if (count == 0) delete this;
  return count;
}

void HostObserver::Record(std::wstring call) {
  calls_.push_back(call);
  if (onCall) onCall(call);
}

bool HostObserver::Saw(const std::wstring& call) const {
  return std::find(calls_.begin(), calls_.end(), call) != calls_.end();
}

NS_IMETHODIMP HostObserver::OnPageTranslated(const nsAString& page) {
  page_ = ReadXpString(page);
  Record(L"OnPageTranslated");
  return NS_OK;
}
NS_IMETHODIMP HostObserver::OnFramesTranslated() {
  Record(L"OnFramesTranslated");
  return NS_OK;
}
NS_IMETHODIMP HostObserver::OnActiveDirIndexChanged(PRInt32 index) {
  Record(L"OnActiveDirIndexChanged " + std::to_wstring(index));
  return NS_OK;
}
NS_IMETHODIMP HostObserver::OnActiveTemplateIndexChanged(PRInt32 index) {
  Record(L"OnActiveTemplateIndexChanged " + std::to_wstring(index));
  return NS_OK;
}
NS_IMETHODIMP HostObserver::OnListsChanged() {
  Record(L"OnListsChanged");
  return NS_OK;
}
NS_IMETHODIMP HostObserver::OnTextTranslated(const nsAString& text) {
  text_ = ReadXpString(text);
  Record(L"OnTextTranslated");
  return NS_OK;
}
NS_IMETHODIMP HostObserver::OnDisable(PRInt32 value) {
  Record(L"OnDisable " + std::to_wstring(value));
  return NS_OK;
}
NS_IMETHODIMP HostObserver::GetSelectedText(nsAString& text) { return WriteXpString(text, selection); }
NS_IMETHODIMP HostObserver::GetSelectionRect(nsAString& rect) { return WriteXpString(rect, selectionRect); }
NS_IMETHODIMP HostObserver::GetScreenOffsetX(PRInt32* x) {
  if (x) *x = offsetX;
  return NS_OK;
}
NS_IMETHODIMP HostObserver::GetScreenOffsetY(PRInt32* y) {
  if (y) *y = offsetY;
  return NS_OK;
}
