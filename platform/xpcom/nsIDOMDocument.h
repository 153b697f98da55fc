#pragma once
// The browser's document (DOM Level 2 Core), frozen in Gecko 1.9. The
// plug-in reaches a page's HTML through its document element.
#include "platform/xpcom/nsIDOMNode.h"

struct nsIDOMAttr;
struct nsIDOMCDATASection;
struct nsIDOMComment;
struct nsIDOMDOMImplementation;
struct nsIDOMDocumentFragment;
struct nsIDOMDocumentType;
struct nsIDOMElement;
struct nsIDOMEntityReference;
struct nsIDOMProcessingInstruction;
struct nsIDOMText;

struct nsIDOMDocument : nsIDOMNode {
  NS_IMETHOD GetDoctype(nsIDOMDocumentType** doctype) = 0;
  NS_IMETHOD GetImplementation(nsIDOMDOMImplementation** implementation) = 0;
  NS_IMETHOD GetDocumentElement(nsIDOMElement** documentElement) = 0;
  NS_IMETHOD CreateElement(const nsAString& tagName, nsIDOMElement** result) = 0;
  NS_IMETHOD CreateDocumentFragment(nsIDOMDocumentFragment** result) = 0;
  NS_IMETHOD CreateTextNode(const nsAString& data, nsIDOMText** result) = 0;
  NS_IMETHOD CreateComment(const nsAString& data, nsIDOMComment** result) = 0;
  NS_IMETHOD CreateCDATASection(const nsAString& data, nsIDOMCDATASection** result) = 0;
  NS_IMETHOD CreateProcessingInstruction(const nsAString& target, const nsAString& data,
                                         nsIDOMProcessingInstruction** result) = 0;
  NS_IMETHOD CreateAttribute(const nsAString& name, nsIDOMAttr** result) = 0;
  NS_IMETHOD CreateEntityReference(const nsAString& name, nsIDOMEntityReference** result) = 0;
  NS_IMETHOD GetElementsByTagName(const nsAString& tagName, nsIDOMNodeList** result) = 0;
  NS_IMETHOD ImportNode(nsIDOMNode* importedNode, PRBool deep, nsIDOMNode** result) = 0;
  NS_IMETHOD CreateElementNS(const nsAString& namespaceUri, const nsAString& qualifiedName,
                             nsIDOMElement** result) = 0;
  NS_IMETHOD CreateAttributeNS(const nsAString& namespaceUri, const nsAString& qualifiedName,
                               nsIDOMAttr** result) = 0;
  NS_IMETHOD GetElementsByTagNameNS(const nsAString& namespaceUri, const nsAString& localName,
                                    nsIDOMNodeList** result) = 0;
  NS_IMETHOD GetElementById(const nsAString& elementId, nsIDOMElement** result) = 0;
};
// {a6cf9075-15b3-11d2-932e-00805f8add32}
__CRT_UUID_DECL(nsIDOMDocument, 0xa6cf9075, 0x15b3, 0x11d2, 0x93, 0x2e, 0x00, 0x80, 0x5f, 0x8a, 0xdd, 0x32)
