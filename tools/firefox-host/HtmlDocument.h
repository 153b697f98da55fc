#pragma once
// A page of the host's browser as the extension's script hands it to the
// plug-in: a document (nsIDOMDocument) whose document element, like every
// element here, is an HTML element with inner HTML (nsIDOMElement and
// nsIDOMNSHTMLElement). Methods the plug-in has no use for answer
// NS_ERROR_NOT_IMPLEMENTED.
#include <string>

#include "DomNodeStub.h"
#include "GeckoDom.h"

struct nsISupports;  // the plug-in's name for the same binary interface

class HtmlElement final : public DomNodeStub<gecko::nsIDOMElement>, public gecko::nsIDOMNSHTMLElement {
 public:
  HtmlElement(std::wstring tagName, std::wstring innerHtml);
  // The element as the script passes it to a component.
  ::nsISupports* ScriptObject();
  const std::wstring& InnerHtml() const { return innerHtml_; }

  GECKO_METHOD QueryInterface(const gecko::nsID& iid, void** result) override;
  gecko::nsrefcnt __stdcall AddRef() override { return ++refs_; }
  gecko::nsrefcnt __stdcall Release() override;

  // nsIDOMNode (the rest answer NS_ERROR_NOT_IMPLEMENTED)
  GECKO_METHOD GetNodeName(gecko::nsAString& result) override;
  GECKO_METHOD GetNodeType(gecko::PRUint16* result) override;
  // nsIDOMElement
  GECKO_METHOD GetTagName(gecko::nsAString& result) override;
  GECKO_METHOD GetAttribute(const gecko::nsAString&, gecko::nsAString&) override;
  GECKO_METHOD SetAttribute(const gecko::nsAString&, const gecko::nsAString&) override;
  GECKO_METHOD RemoveAttribute(const gecko::nsAString&) override;
  GECKO_METHOD GetAttributeNode(const gecko::nsAString&, gecko::nsIDOMAttr**) override;
  GECKO_METHOD SetAttributeNode(gecko::nsIDOMAttr*, gecko::nsIDOMAttr**) override;
  GECKO_METHOD RemoveAttributeNode(gecko::nsIDOMAttr*, gecko::nsIDOMAttr**) override;
  GECKO_METHOD GetElementsByTagName(const gecko::nsAString&, gecko::nsIDOMNodeList**) override;
  GECKO_METHOD GetAttributeNS(const gecko::nsAString&, const gecko::nsAString&, gecko::nsAString&) override;
  GECKO_METHOD SetAttributeNS(const gecko::nsAString&, const gecko::nsAString&, const gecko::nsAString&) override;
  GECKO_METHOD RemoveAttributeNS(const gecko::nsAString&, const gecko::nsAString&) override;
  GECKO_METHOD GetAttributeNodeNS(const gecko::nsAString&, const gecko::nsAString&, gecko::nsIDOMAttr**) override;
  GECKO_METHOD SetAttributeNodeNS(gecko::nsIDOMAttr*, gecko::nsIDOMAttr**) override;
  GECKO_METHOD GetElementsByTagNameNS(const gecko::nsAString&, const gecko::nsAString&,
                                      gecko::nsIDOMNodeList**) override;
  GECKO_METHOD HasAttribute(const gecko::nsAString&, gecko::PRBool*) override;
  GECKO_METHOD HasAttributeNS(const gecko::nsAString&, const gecko::nsAString&, gecko::PRBool*) override;
  // nsIDOMNSHTMLElement
  GECKO_METHOD GetOffsetTop(gecko::PRInt32*) override;
  GECKO_METHOD GetOffsetLeft(gecko::PRInt32*) override;
  GECKO_METHOD GetOffsetWidth(gecko::PRInt32*) override;
  GECKO_METHOD GetOffsetHeight(gecko::PRInt32*) override;
  GECKO_METHOD GetOffsetParent(gecko::nsIDOMElement**) override;
  GECKO_METHOD GetInnerHTML(gecko::nsAString& result) override;
  GECKO_METHOD SetInnerHTML(const gecko::nsAString& html) override;
  GECKO_METHOD GetScrollTop(gecko::PRInt32*) override;
  GECKO_METHOD SetScrollTop(gecko::PRInt32) override;
  GECKO_METHOD GetScrollLeft(gecko::PRInt32*) override;
  GECKO_METHOD SetScrollLeft(gecko::PRInt32) override;
  GECKO_METHOD GetScrollHeight(gecko::PRInt32*) override;
  GECKO_METHOD GetScrollWidth(gecko::PRInt32*) override;
  GECKO_METHOD GetClientTop(gecko::PRInt32*) override;
  GECKO_METHOD GetClientLeft(gecko::PRInt32*) override;
  GECKO_METHOD GetClientHeight(gecko::PRInt32*) override;
  GECKO_METHOD GetClientWidth(gecko::PRInt32*) override;
  GECKO_METHOD GetTabIndex(gecko::PRInt32*) override;
  GECKO_METHOD SetTabIndex(gecko::PRInt32) override;
  GECKO_METHOD GetContentEditable(gecko::nsAString&) override;
  GECKO_METHOD SetContentEditable(const gecko::nsAString&) override;
  GECKO_METHOD Blur() override;
  GECKO_METHOD Focus() override;
  GECKO_METHOD ScrollIntoView(gecko::PRBool) override;
  GECKO_METHOD GetSpellcheck(gecko::PRBool*) override;
  GECKO_METHOD SetSpellcheck(gecko::PRBool) override;

 private:
  ~HtmlElement() = default;
  std::wstring tagName_;
  std::wstring innerHtml_;
  gecko::nsrefcnt refs_ = 0;
};

class HtmlDocument final : public DomNodeStub<gecko::nsIDOMDocument> {
 public:
  // A page's HTML text: the document element's inner HTML is what stands
  // between <html ...> and </html> (the whole text when there is no such
  // element).
  explicit HtmlDocument(const std::wstring& page);
  ::nsISupports* ScriptObject();
  HtmlElement& Root() { return *root_; }

  GECKO_METHOD QueryInterface(const gecko::nsID& iid, void** result) override;
  gecko::nsrefcnt __stdcall AddRef() override { return ++refs_; }
  gecko::nsrefcnt __stdcall Release() override;

  // nsIDOMNode (the rest answer NS_ERROR_NOT_IMPLEMENTED)
  GECKO_METHOD GetNodeName(gecko::nsAString& result) override;
  GECKO_METHOD GetNodeType(gecko::PRUint16* result) override;
  GECKO_METHOD GetFirstChild(gecko::nsIDOMNode** result) override;
  GECKO_METHOD GetLastChild(gecko::nsIDOMNode** result) override;
  GECKO_METHOD HasChildNodes(gecko::PRBool* result) override;
  // nsIDOMDocument
  GECKO_METHOD GetDoctype(gecko::nsIDOMDocumentType**) override;
  GECKO_METHOD GetImplementation(gecko::nsIDOMDOMImplementation**) override;
  GECKO_METHOD GetDocumentElement(gecko::nsIDOMElement** result) override;
  GECKO_METHOD CreateElement(const gecko::nsAString&, gecko::nsIDOMElement**) override;
  GECKO_METHOD CreateDocumentFragment(gecko::nsIDOMDocumentFragment**) override;
  GECKO_METHOD CreateTextNode(const gecko::nsAString&, gecko::nsIDOMText**) override;
  GECKO_METHOD CreateComment(const gecko::nsAString&, gecko::nsIDOMComment**) override;
  GECKO_METHOD CreateCDATASection(const gecko::nsAString&, gecko::nsIDOMCDATASection**) override;
  GECKO_METHOD CreateProcessingInstruction(const gecko::nsAString&, const gecko::nsAString&,
                                           gecko::nsIDOMProcessingInstruction**) override;
  GECKO_METHOD CreateAttribute(const gecko::nsAString&, gecko::nsIDOMAttr**) override;
  GECKO_METHOD CreateEntityReference(const gecko::nsAString&, gecko::nsIDOMEntityReference**) override;
  GECKO_METHOD GetElementsByTagName(const gecko::nsAString&, gecko::nsIDOMNodeList**) override;
  GECKO_METHOD ImportNode(gecko::nsIDOMNode*, gecko::PRBool, gecko::nsIDOMNode**) override;
  GECKO_METHOD CreateElementNS(const gecko::nsAString&, const gecko::nsAString&, gecko::nsIDOMElement**) override;
  GECKO_METHOD CreateAttributeNS(const gecko::nsAString&, const gecko::nsAString&, gecko::nsIDOMAttr**) override;
  GECKO_METHOD GetElementsByTagNameNS(const gecko::nsAString&, const gecko::nsAString&,
                                      gecko::nsIDOMNodeList**) override;
  GECKO_METHOD GetElementById(const gecko::nsAString&, gecko::nsIDOMElement**) override;

 private:
  ~HtmlDocument();
  HtmlElement* root_;  // one reference
  gecko::nsrefcnt refs_ = 0;
};
