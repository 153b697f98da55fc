#include "HtmlDocument.h"

#include "GeckoStrings.h"

using namespace gecko;

namespace {

constexpr PRUint16 kElementNode = 1;
constexpr PRUint16 kDocumentNode = 9;

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towupper(c));
  return text;
}

// What stands between the <html ...> start tag and </html>.
std::wstring InsideHtmlElement(const std::wstring& page) {
  std::wstring lower = page;
  for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
  size_t open = lower.find(L"<html");
  size_t close = lower.rfind(L"</html>");
  if (open == std::wstring::npos || close == std::wstring::npos) return page;
  size_t start = lower.find(L'>', open);
  if (start == std::wstring::npos || start >= close) return page;
  return page.substr(start + 1, close - start - 1);
}

}  // namespace

#define NOT_IMPLEMENTED(Class, Method, ...) \
  nsresult __stdcall Class::Method(__VA_ARGS__) { return kNotImplemented; }

// --- HtmlElement ----------------------------------------------------------

HtmlElement::HtmlElement(std::wstring tagName, std::wstring innerHtml)
    : tagName_(Upper(std::move(tagName))), innerHtml_(std::move(innerHtml)) {}

::nsISupports* HtmlElement::ScriptObject() {
  return reinterpret_cast<::nsISupports*>(static_cast<nsIDOMElement*>(this));
}

nsresult __stdcall HtmlElement::QueryInterface(const nsID& iid, void** result) {
  if (!result) return kNullPointer;
  *result = nullptr;
  if (SameId(iid, gecko::nsISupports::kIID) || SameId(iid, nsIDOMNode::kIID) || SameId(iid, nsIDOMElement::kIID))
    *result = static_cast<nsIDOMElement*>(this);
  else if (SameId(iid, nsIDOMNSHTMLElement::kIID))
    *result = static_cast<nsIDOMNSHTMLElement*>(this);
  if (!*result) return kNoInterface;
  AddRef();
  return kOk;
}

nsrefcnt __stdcall HtmlElement::Release() {
  nsrefcnt count = --refs_;
  if (count == 0) delete this;
  return count;
}

nsresult __stdcall HtmlElement::GetNodeName(nsAString& result) { return WriteString(result, tagName_); }
nsresult __stdcall HtmlElement::GetNodeType(PRUint16* result) {
  if (!result) return kNullPointer;
  *result = kElementNode;
  return kOk;
}
nsresult __stdcall HtmlElement::GetTagName(nsAString& result) { return WriteString(result, tagName_); }
nsresult __stdcall HtmlElement::GetInnerHTML(nsAString& result) { return WriteString(result, innerHtml_); }
nsresult __stdcall HtmlElement::SetInnerHTML(const nsAString& html) {
  innerHtml_ = ReadString(html);
  return kOk;
}

NOT_IMPLEMENTED(HtmlElement, GetAttribute, const nsAString&, nsAString&)
NOT_IMPLEMENTED(HtmlElement, SetAttribute, const nsAString&, const nsAString&)
NOT_IMPLEMENTED(HtmlElement, RemoveAttribute, const nsAString&)
NOT_IMPLEMENTED(HtmlElement, GetAttributeNode, const nsAString&, nsIDOMAttr**)
NOT_IMPLEMENTED(HtmlElement, SetAttributeNode, nsIDOMAttr*, nsIDOMAttr**)
NOT_IMPLEMENTED(HtmlElement, RemoveAttributeNode, nsIDOMAttr*, nsIDOMAttr**)
NOT_IMPLEMENTED(HtmlElement, GetElementsByTagName, const nsAString&, nsIDOMNodeList**)
NOT_IMPLEMENTED(HtmlElement, GetAttributeNS, const nsAString&, const nsAString&, nsAString&)
NOT_IMPLEMENTED(HtmlElement, SetAttributeNS, const nsAString&, const nsAString&, const nsAString&)
NOT_IMPLEMENTED(HtmlElement, RemoveAttributeNS, const nsAString&, const nsAString&)
NOT_IMPLEMENTED(HtmlElement, GetAttributeNodeNS, const nsAString&, const nsAString&, nsIDOMAttr**)
NOT_IMPLEMENTED(HtmlElement, SetAttributeNodeNS, nsIDOMAttr*, nsIDOMAttr**)
NOT_IMPLEMENTED(HtmlElement, GetElementsByTagNameNS, const nsAString&, const nsAString&, nsIDOMNodeList**)
NOT_IMPLEMENTED(HtmlElement, HasAttribute, const nsAString&, PRBool*)
NOT_IMPLEMENTED(HtmlElement, HasAttributeNS, const nsAString&, const nsAString&, PRBool*)
NOT_IMPLEMENTED(HtmlElement, GetOffsetTop, PRInt32*)
NOT_IMPLEMENTED(HtmlElement, GetOffsetLeft, PRInt32*)
NOT_IMPLEMENTED(HtmlElement, GetOffsetWidth, PRInt32*)
NOT_IMPLEMENTED(HtmlElement, GetOffsetHeight, PRInt32*)
NOT_IMPLEMENTED(HtmlElement, GetOffsetParent, nsIDOMElement**)
NOT_IMPLEMENTED(HtmlElement, GetScrollTop, PRInt32*)
NOT_IMPLEMENTED(HtmlElement, SetScrollTop, PRInt32)
NOT_IMPLEMENTED(HtmlElement, GetScrollLeft, PRInt32*)
NOT_IMPLEMENTED(HtmlElement, SetScrollLeft, PRInt32)
NOT_IMPLEMENTED(HtmlElement, GetScrollHeight, PRInt32*)
NOT_IMPLEMENTED(HtmlElement, GetScrollWidth, PRInt32*)
NOT_IMPLEMENTED(HtmlElement, GetClientTop, PRInt32*)
NOT_IMPLEMENTED(HtmlElement, GetClientLeft, PRInt32*)
NOT_IMPLEMENTED(HtmlElement, GetClientHeight, PRInt32*)
NOT_IMPLEMENTED(HtmlElement, GetClientWidth, PRInt32*)
NOT_IMPLEMENTED(HtmlElement, GetTabIndex, PRInt32*)
NOT_IMPLEMENTED(HtmlElement, SetTabIndex, PRInt32)
NOT_IMPLEMENTED(HtmlElement, GetContentEditable, nsAString&)
NOT_IMPLEMENTED(HtmlElement, SetContentEditable, const nsAString&)
NOT_IMPLEMENTED(HtmlElement, Blur)
NOT_IMPLEMENTED(HtmlElement, Focus)
NOT_IMPLEMENTED(HtmlElement, ScrollIntoView, PRBool)
NOT_IMPLEMENTED(HtmlElement, GetSpellcheck, PRBool*)
NOT_IMPLEMENTED(HtmlElement, SetSpellcheck, PRBool)

// --- HtmlDocument ---------------------------------------------------------

HtmlDocument::HtmlDocument(const std::wstring& page) : root_(new HtmlElement(L"html", InsideHtmlElement(page))) {
  root_->AddRef();
}

HtmlDocument::~HtmlDocument() { root_->Release(); }

::nsISupports* HtmlDocument::ScriptObject() {
  return reinterpret_cast<::nsISupports*>(static_cast<nsIDOMDocument*>(this));
}

nsresult __stdcall HtmlDocument::QueryInterface(const nsID& iid, void** result) {
  if (!result) return kNullPointer;
  *result = nullptr;
  if (!SameId(iid, gecko::nsISupports::kIID) && !SameId(iid, nsIDOMNode::kIID) && !SameId(iid, nsIDOMDocument::kIID))
    return kNoInterface;
  *result = static_cast<nsIDOMDocument*>(this);
  AddRef();
  return kOk;
}

nsrefcnt __stdcall HtmlDocument::Release() {
  nsrefcnt count = --refs_;
  if (count == 0) delete this;
  return count;
}

nsresult __stdcall HtmlDocument::GetNodeName(nsAString& result) { return WriteString(result, L"#document"); }
nsresult __stdcall HtmlDocument::GetNodeType(PRUint16* result) {
  if (!result) return kNullPointer;
  *result = kDocumentNode;
  return kOk;
}
nsresult __stdcall HtmlDocument::GetDocumentElement(nsIDOMElement** result) {
  if (!result) return kNullPointer;
  root_->AddRef();
  *result = root_;
  return kOk;
}
nsresult __stdcall HtmlDocument::GetFirstChild(nsIDOMNode** result) {
  if (!result) return kNullPointer;
  root_->AddRef();
  *result = static_cast<nsIDOMElement*>(root_);
  return kOk;
}
nsresult __stdcall HtmlDocument::GetLastChild(nsIDOMNode** result) { return GetFirstChild(result); }
nsresult __stdcall HtmlDocument::HasChildNodes(PRBool* result) {
  if (!result) return kNullPointer;
  *result = kTrue;
  return kOk;
}

NOT_IMPLEMENTED(HtmlDocument, GetDoctype, nsIDOMDocumentType**)
NOT_IMPLEMENTED(HtmlDocument, GetImplementation, nsIDOMDOMImplementation**)
NOT_IMPLEMENTED(HtmlDocument, CreateElement, const nsAString&, nsIDOMElement**)
NOT_IMPLEMENTED(HtmlDocument, CreateDocumentFragment, nsIDOMDocumentFragment**)
NOT_IMPLEMENTED(HtmlDocument, CreateTextNode, const nsAString&, nsIDOMText**)
NOT_IMPLEMENTED(HtmlDocument, CreateComment, const nsAString&, nsIDOMComment**)
NOT_IMPLEMENTED(HtmlDocument, CreateCDATASection, const nsAString&, nsIDOMCDATASection**)
NOT_IMPLEMENTED(HtmlDocument, CreateProcessingInstruction, const nsAString&, const nsAString&,
                nsIDOMProcessingInstruction**)
NOT_IMPLEMENTED(HtmlDocument, CreateAttribute, const nsAString&, nsIDOMAttr**)
NOT_IMPLEMENTED(HtmlDocument, CreateEntityReference, const nsAString&, nsIDOMEntityReference**)
NOT_IMPLEMENTED(HtmlDocument, GetElementsByTagName, const nsAString&, nsIDOMNodeList**)
NOT_IMPLEMENTED(HtmlDocument, ImportNode, nsIDOMNode*, PRBool, nsIDOMNode**)
NOT_IMPLEMENTED(HtmlDocument, CreateElementNS, const nsAString&, const nsAString&, nsIDOMElement**)
NOT_IMPLEMENTED(HtmlDocument, CreateAttributeNS, const nsAString&, const nsAString&, nsIDOMAttr**)
NOT_IMPLEMENTED(HtmlDocument, GetElementsByTagNameNS, const nsAString&, const nsAString&, nsIDOMNodeList**)
NOT_IMPLEMENTED(HtmlDocument, GetElementById, const nsAString&, nsIDOMElement**)
