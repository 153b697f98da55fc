#pragma once
// The document interfaces of Firefox 3 (Gecko 1.9) as the programs that
// play the browser declare them for their page objects: the frozen DOM
// Level 2 node, document and element, and the HTML element's own additions
// with innerHTML (Gecko 1.9's, not frozen). Whole and in their order,
// written from the browser's public interface definitions.
#include "GeckoXpcom.h"

namespace gecko {

struct nsIDOMAttr;
struct nsIDOMCDATASection;
struct nsIDOMComment;
struct nsIDOMDOMImplementation;
struct nsIDOMDocument;
struct nsIDOMDocumentFragment;
struct nsIDOMDocumentType;
struct nsIDOMElement;
struct nsIDOMEntityReference;
struct nsIDOMNamedNodeMap;
struct nsIDOMNodeList;
struct nsIDOMProcessingInstruction;
struct nsIDOMText;

struct nsIDOMNode : nsISupports {
  static constexpr nsID kIID = {0xa6cf907c, 0x15b3, 0x11d2, {0x93, 0x2e, 0x00, 0x80, 0x5f, 0x8a, 0xdd, 0x32}};
  GECKO_METHOD GetNodeName(nsAString& result) = 0;
  GECKO_METHOD GetNodeValue(nsAString& result) = 0;
  GECKO_METHOD SetNodeValue(const nsAString& value) = 0;
  GECKO_METHOD GetNodeType(PRUint16* result) = 0;
  GECKO_METHOD GetParentNode(nsIDOMNode** result) = 0;
  GECKO_METHOD GetChildNodes(nsIDOMNodeList** result) = 0;
  GECKO_METHOD GetFirstChild(nsIDOMNode** result) = 0;
  GECKO_METHOD GetLastChild(nsIDOMNode** result) = 0;
  GECKO_METHOD GetPreviousSibling(nsIDOMNode** result) = 0;
  GECKO_METHOD GetNextSibling(nsIDOMNode** result) = 0;
  GECKO_METHOD GetAttributes(nsIDOMNamedNodeMap** result) = 0;
  GECKO_METHOD GetOwnerDocument(nsIDOMDocument** result) = 0;
  GECKO_METHOD InsertBefore(nsIDOMNode* newChild, nsIDOMNode* refChild, nsIDOMNode** result) = 0;
  GECKO_METHOD ReplaceChild(nsIDOMNode* newChild, nsIDOMNode* oldChild, nsIDOMNode** result) = 0;
  GECKO_METHOD RemoveChild(nsIDOMNode* oldChild, nsIDOMNode** result) = 0;
  GECKO_METHOD AppendChild(nsIDOMNode* newChild, nsIDOMNode** result) = 0;
  GECKO_METHOD HasChildNodes(PRBool* result) = 0;
  GECKO_METHOD CloneNode(PRBool deep, nsIDOMNode** result) = 0;
  GECKO_METHOD Normalize() = 0;
  GECKO_METHOD IsSupported(const nsAString& feature, const nsAString& version, PRBool* result) = 0;
  GECKO_METHOD GetNamespaceURI(nsAString& result) = 0;
  GECKO_METHOD GetPrefix(nsAString& result) = 0;
  GECKO_METHOD SetPrefix(const nsAString& prefix) = 0;
  GECKO_METHOD GetLocalName(nsAString& result) = 0;
  GECKO_METHOD HasAttributes(PRBool* result) = 0;
};

struct nsIDOMDocument : nsIDOMNode {
  static constexpr nsID kIID = {0xa6cf9075, 0x15b3, 0x11d2, {0x93, 0x2e, 0x00, 0x80, 0x5f, 0x8a, 0xdd, 0x32}};
  GECKO_METHOD GetDoctype(nsIDOMDocumentType** result) = 0;
  GECKO_METHOD GetImplementation(nsIDOMDOMImplementation** result) = 0;
  GECKO_METHOD GetDocumentElement(nsIDOMElement** result) = 0;
  GECKO_METHOD CreateElement(const nsAString& tagName, nsIDOMElement** result) = 0;
  GECKO_METHOD CreateDocumentFragment(nsIDOMDocumentFragment** result) = 0;
  GECKO_METHOD CreateTextNode(const nsAString& data, nsIDOMText** result) = 0;
  GECKO_METHOD CreateComment(const nsAString& data, nsIDOMComment** result) = 0;
  GECKO_METHOD CreateCDATASection(const nsAString& data, nsIDOMCDATASection** result) = 0;
  GECKO_METHOD CreateProcessingInstruction(const nsAString& target, const nsAString& data,
                                           nsIDOMProcessingInstruction** result) = 0;
  GECKO_METHOD CreateAttribute(const nsAString& name, nsIDOMAttr** result) = 0;
  GECKO_METHOD CreateEntityReference(const nsAString& name, nsIDOMEntityReference** result) = 0;
  GECKO_METHOD GetElementsByTagName(const nsAString& tagName, nsIDOMNodeList** result) = 0;
  GECKO_METHOD ImportNode(nsIDOMNode* node, PRBool deep, nsIDOMNode** result) = 0;
  GECKO_METHOD CreateElementNS(const nsAString& namespaceUri, const nsAString& qualifiedName,
                               nsIDOMElement** result) = 0;
  GECKO_METHOD CreateAttributeNS(const nsAString& namespaceUri, const nsAString& qualifiedName,
                                 nsIDOMAttr** result) = 0;
  GECKO_METHOD GetElementsByTagNameNS(const nsAString& namespaceUri, const nsAString& localName,
                                      nsIDOMNodeList** result) = 0;
  GECKO_METHOD GetElementById(const nsAString& id, nsIDOMElement** result) = 0;
};

struct nsIDOMElement : nsIDOMNode {
  static constexpr nsID kIID = {0xa6cf9078, 0x15b3, 0x11d2, {0x93, 0x2e, 0x00, 0x80, 0x5f, 0x8a, 0xdd, 0x32}};
  GECKO_METHOD GetTagName(nsAString& result) = 0;
  GECKO_METHOD GetAttribute(const nsAString& name, nsAString& result) = 0;
  GECKO_METHOD SetAttribute(const nsAString& name, const nsAString& value) = 0;
  GECKO_METHOD RemoveAttribute(const nsAString& name) = 0;
  GECKO_METHOD GetAttributeNode(const nsAString& name, nsIDOMAttr** result) = 0;
  GECKO_METHOD SetAttributeNode(nsIDOMAttr* attribute, nsIDOMAttr** result) = 0;
  GECKO_METHOD RemoveAttributeNode(nsIDOMAttr* attribute, nsIDOMAttr** result) = 0;
  GECKO_METHOD GetElementsByTagName(const nsAString& name, nsIDOMNodeList** result) = 0;
  GECKO_METHOD GetAttributeNS(const nsAString& namespaceUri, const nsAString& localName, nsAString& result) = 0;
  GECKO_METHOD SetAttributeNS(const nsAString& namespaceUri, const nsAString& qualifiedName,
                              const nsAString& value) = 0;
  GECKO_METHOD RemoveAttributeNS(const nsAString& namespaceUri, const nsAString& localName) = 0;
  GECKO_METHOD GetAttributeNodeNS(const nsAString& namespaceUri, const nsAString& localName,
                                  nsIDOMAttr** result) = 0;
  GECKO_METHOD SetAttributeNodeNS(nsIDOMAttr* attribute, nsIDOMAttr** result) = 0;
  GECKO_METHOD GetElementsByTagNameNS(const nsAString& namespaceUri, const nsAString& localName,
                                      nsIDOMNodeList** result) = 0;
  GECKO_METHOD HasAttribute(const nsAString& name, PRBool* result) = 0;
  GECKO_METHOD HasAttributeNS(const nsAString& namespaceUri, const nsAString& localName, PRBool* result) = 0;
};

// Gecko 1.9 (Firefox 3.0); Firefox 3.5 and 3.6 changed it.
struct nsIDOMNSHTMLElement : nsISupports {
  static constexpr nsID kIID = {0xeac0a4ee, 0x2e4f, 0x403c, {0x9b, 0x77, 0x5c, 0xf3, 0x2c, 0xfb, 0x42, 0xf7}};
  GECKO_METHOD GetOffsetTop(PRInt32* result) = 0;
  GECKO_METHOD GetOffsetLeft(PRInt32* result) = 0;
  GECKO_METHOD GetOffsetWidth(PRInt32* result) = 0;
  GECKO_METHOD GetOffsetHeight(PRInt32* result) = 0;
  GECKO_METHOD GetOffsetParent(nsIDOMElement** result) = 0;
  GECKO_METHOD GetInnerHTML(nsAString& result) = 0;
  GECKO_METHOD SetInnerHTML(const nsAString& html) = 0;
  GECKO_METHOD GetScrollTop(PRInt32* result) = 0;
  GECKO_METHOD SetScrollTop(PRInt32 value) = 0;
  GECKO_METHOD GetScrollLeft(PRInt32* result) = 0;
  GECKO_METHOD SetScrollLeft(PRInt32 value) = 0;
  GECKO_METHOD GetScrollHeight(PRInt32* result) = 0;
  GECKO_METHOD GetScrollWidth(PRInt32* result) = 0;
  GECKO_METHOD GetClientTop(PRInt32* result) = 0;
  GECKO_METHOD GetClientLeft(PRInt32* result) = 0;
  GECKO_METHOD GetClientHeight(PRInt32* result) = 0;
  GECKO_METHOD GetClientWidth(PRInt32* result) = 0;
  GECKO_METHOD GetTabIndex(PRInt32* result) = 0;
  GECKO_METHOD SetTabIndex(PRInt32 value) = 0;
  GECKO_METHOD GetContentEditable(nsAString& result) = 0;
  GECKO_METHOD SetContentEditable(const nsAString& value) = 0;
  GECKO_METHOD Blur() = 0;
  GECKO_METHOD Focus() = 0;
  GECKO_METHOD ScrollIntoView(PRBool top) = 0;
  GECKO_METHOD GetSpellcheck(PRBool* result) = 0;
  GECKO_METHOD SetSpellcheck(PRBool value) = 0;
};

}  // namespace gecko
