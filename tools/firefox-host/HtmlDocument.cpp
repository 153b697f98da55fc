#include "HtmlDocument.h"

#include <cstring>

NS_IMETHODIMP HtmlDocument::QueryInterface(const nsIID& iid, void** result) {
  if (!result) return NS_ERROR_NULL_POINTER;
  *result = nullptr;
  if (memcmp(&iid, &__uuidof(nsIHtmlContent), sizeof(nsIID)) != 0 &&
      memcmp(&iid, &__uuidof(nsISupports), sizeof(nsIID)) != 0)
    return NS_NOINTERFACE;
  *result = static_cast<nsIHtmlContent*>(this);
  AddRef();
  return NS_OK;
}

nsrefcnt __stdcall HtmlDocument::Release() {
  nsrefcnt count = --refs_;
  if (count == 0) delete this;
  return count;
}

NS_IMETHODIMP HtmlDocument::GetHtml(nsAString& html) { return WriteXpString(html, html_); }

NS_IMETHODIMP HtmlDocument::SetHtml(const nsAString& html) {
  html_ = ReadXpString(html);
  return NS_OK;
}
