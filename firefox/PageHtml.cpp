#include "firefox/PageHtml.h"

#include "platform/com/ComPtr.h"
#include "platform/xpcom/XpcomString.h"
#include "platform/xpcom/nsIDOMDocument.h"
#include "platform/xpcom/nsIDOMElement.h"
#include "platform/xpcom/nsIDOMNSHTMLElement.h"

using platform::ComPtr;

namespace {

template <class Interface>
ComPtr<Interface> Query(nsISupports* object) {
  ComPtr<Interface> result;
  if (object) object->QueryInterface(__uuidof(Interface), result.ReceiveVoid());
  return result;
}

}  // namespace

std::optional<std::wstring> ElementHtml(nsISupports* element) {
  ComPtr<nsIDOMNSHTMLElement> html = Query<nsIDOMNSHTMLElement>(element);
  if (!html) return std::nullopt;
  XpString text;
  if (!text.Ok() || NS_FAILED(html->GetInnerHTML(text))) return std::nullopt;
  return text.Str();
}

std::optional<std::wstring> DocumentHtml(nsISupports* document) {
  ComPtr<nsIDOMDocument> dom = Query<nsIDOMDocument>(document);
  if (!dom) return std::nullopt;
  ComPtr<nsIDOMElement> root;
  if (NS_FAILED(dom->GetDocumentElement(root.Receive())) || !root) return std::nullopt;
  return ElementHtml(root.Get());
}

nsresult SetElementHtml(nsISupports* element, std::wstring_view html) {
  ComPtr<nsIDOMNSHTMLElement> target = Query<nsIDOMNSHTMLElement>(element);
  if (!target) return NS_ERROR_FAILURE;
  XpString text(html);
  if (!text.Ok()) return NS_ERROR_FAILURE;
  return target->SetInnerHTML(text);
}
