#pragma once
// A node of the browser's document tree (DOM Level 2 Core), frozen in
// Gecko 1.9. The base of the document and element interfaces.
#include "platform/xpcom/XpcomString.h"
#include "platform/xpcom/nsISupports.h"

struct nsIDOMDocument;
struct nsIDOMNamedNodeMap;
struct nsIDOMNodeList;

struct nsIDOMNode : nsISupports {
  NS_IMETHOD GetNodeName(nsAString& nodeName) = 0;
  NS_IMETHOD GetNodeValue(nsAString& nodeValue) = 0;
  NS_IMETHOD SetNodeValue(const nsAString& nodeValue) = 0;
  NS_IMETHOD GetNodeType(PRUint16* nodeType) = 0;
  NS_IMETHOD GetParentNode(nsIDOMNode** parentNode) = 0;
  NS_IMETHOD GetChildNodes(nsIDOMNodeList** childNodes) = 0;
  NS_IMETHOD GetFirstChild(nsIDOMNode** firstChild) = 0;
  NS_IMETHOD GetLastChild(nsIDOMNode** lastChild) = 0;
  NS_IMETHOD GetPreviousSibling(nsIDOMNode** previousSibling) = 0;
  NS_IMETHOD GetNextSibling(nsIDOMNode** nextSibling) = 0;
  NS_IMETHOD GetAttributes(nsIDOMNamedNodeMap** attributes) = 0;
  NS_IMETHOD GetOwnerDocument(nsIDOMDocument** ownerDocument) = 0;
  NS_IMETHOD InsertBefore(nsIDOMNode* newChild, nsIDOMNode* refChild, nsIDOMNode** result) = 0;
  NS_IMETHOD ReplaceChild(nsIDOMNode* newChild, nsIDOMNode* oldChild, nsIDOMNode** result) = 0;
  NS_IMETHOD RemoveChild(nsIDOMNode* oldChild, nsIDOMNode** result) = 0;
  NS_IMETHOD AppendChild(nsIDOMNode* newChild, nsIDOMNode** result) = 0;
  NS_IMETHOD HasChildNodes(PRBool* result) = 0;
  NS_IMETHOD CloneNode(PRBool deep, nsIDOMNode** result) = 0;
  NS_IMETHOD Normalize() = 0;
  NS_IMETHOD IsSupported(const nsAString& feature, const nsAString& version, PRBool* result) = 0;
  NS_IMETHOD GetNamespaceURI(nsAString& namespaceUri) = 0;
  NS_IMETHOD GetPrefix(nsAString& prefix) = 0;
  NS_IMETHOD SetPrefix(const nsAString& prefix) = 0;
  NS_IMETHOD GetLocalName(nsAString& localName) = 0;
  NS_IMETHOD HasAttributes(PRBool* result) = 0;
};
// {a6cf907c-15b3-11d2-932e-00805f8add32}
__CRT_UUID_DECL(nsIDOMNode, 0xa6cf907c, 0x15b3, 0x11d2, 0x93, 0x2e, 0x00, 0x80, 0x5f, 0x8a, 0xdd, 0x32)
