#pragma once
// An element of the browser's document (DOM Level 2 Core), frozen in
// Gecko 1.9.
#include "platform/xpcom/nsIDOMNode.h"

struct nsIDOMAttr;

struct nsIDOMElement : nsIDOMNode {
  NS_IMETHOD GetTagName(nsAString& tagName) = 0;
  NS_IMETHOD GetAttribute(const nsAString& name, nsAString& result) = 0;
  NS_IMETHOD SetAttribute(const nsAString& name, const nsAString& value) = 0;
  NS_IMETHOD RemoveAttribute(const nsAString& name) = 0;
  NS_IMETHOD GetAttributeNode(const nsAString& name, nsIDOMAttr** result) = 0;
  NS_IMETHOD SetAttributeNode(nsIDOMAttr* newAttr, nsIDOMAttr** result) = 0;
  NS_IMETHOD RemoveAttributeNode(nsIDOMAttr* oldAttr, nsIDOMAttr** result) = 0;
  NS_IMETHOD GetElementsByTagName(const nsAString& name, nsIDOMNodeList** result) = 0;
  NS_IMETHOD GetAttributeNS(const nsAString& namespaceUri, const nsAString& localName, nsAString& result) = 0;
  NS_IMETHOD SetAttributeNS(const nsAString& namespaceUri, const nsAString& qualifiedName,
                            const nsAString& value) = 0;
  NS_IMETHOD RemoveAttributeNS(const nsAString& namespaceUri, const nsAString& localName) = 0;
  NS_IMETHOD GetAttributeNodeNS(const nsAString& namespaceUri, const nsAString& localName,
                                nsIDOMAttr** result) = 0;
  NS_IMETHOD SetAttributeNodeNS(nsIDOMAttr* newAttr, nsIDOMAttr** result) = 0;
  NS_IMETHOD GetElementsByTagNameNS(const nsAString& namespaceUri, const nsAString& localName,
                                    nsIDOMNodeList** result) = 0;
  NS_IMETHOD HasAttribute(const nsAString& name, PRBool* result) = 0;
  NS_IMETHOD HasAttributeNS(const nsAString& namespaceUri, const nsAString& localName, PRBool* result) = 0;
};
// {a6cf9078-15b3-11d2-932e-00805f8add32}
__CRT_UUID_DECL(nsIDOMElement, 0xa6cf9078, 0x15b3, 0x11d2, 0x93, 0x2e, 0x00, 0x80, 0x5f, 0x8a, 0xdd, 0x32)
