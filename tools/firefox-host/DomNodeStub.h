#pragma once
// The node methods of a page object that it does not implement: each
// answers NS_ERROR_NOT_IMPLEMENTED until the object overrides it.
#include "GeckoDom.h"

template <class Interface>
class DomNodeStub : public Interface {
 public:
  using nsresult = gecko::nsresult;
  using nsAString = gecko::nsAString;
  using nsIDOMNode = gecko::nsIDOMNode;
  using PRBool = gecko::PRBool;

  GECKO_METHOD GetNodeName(nsAString&) override { return gecko::kNotImplemented; }
  GECKO_METHOD GetNodeValue(nsAString&) override { return gecko::kNotImplemented; }
  GECKO_METHOD SetNodeValue(const nsAString&) override { return gecko::kNotImplemented; }
  GECKO_METHOD GetNodeType(gecko::PRUint16*) override { return gecko::kNotImplemented; }
  GECKO_METHOD GetParentNode(nsIDOMNode**) override { return gecko::kNotImplemented; }
  GECKO_METHOD GetChildNodes(gecko::nsIDOMNodeList**) override { return gecko::kNotImplemented; }
  GECKO_METHOD GetFirstChild(nsIDOMNode**) override { return gecko::kNotImplemented; }
  GECKO_METHOD GetLastChild(nsIDOMNode**) override { return gecko::kNotImplemented; }
  GECKO_METHOD GetPreviousSibling(nsIDOMNode**) override { return gecko::kNotImplemented; }
  GECKO_METHOD GetNextSibling(nsIDOMNode**) override { return gecko::kNotImplemented; }
  GECKO_METHOD GetAttributes(gecko::nsIDOMNamedNodeMap**) override { return gecko::kNotImplemented; }
  GECKO_METHOD GetOwnerDocument(gecko::nsIDOMDocument**) override { return gecko::kNotImplemented; }
  GECKO_METHOD InsertBefore(nsIDOMNode*, nsIDOMNode*, nsIDOMNode**) override { return gecko::kNotImplemented; }
  GECKO_METHOD ReplaceChild(nsIDOMNode*, nsIDOMNode*, nsIDOMNode**) override { return gecko::kNotImplemented; }
  GECKO_METHOD RemoveChild(nsIDOMNode*, nsIDOMNode**) override { return gecko::kNotImplemented; }
  GECKO_METHOD AppendChild(nsIDOMNode*, nsIDOMNode**) override { return gecko::kNotImplemented; }
  GECKO_METHOD HasChildNodes(PRBool*) override { return gecko::kNotImplemented; }
  GECKO_METHOD CloneNode(PRBool, nsIDOMNode**) override { return gecko::kNotImplemented; }
  GECKO_METHOD Normalize() override { return gecko::kNotImplemented; }
  GECKO_METHOD IsSupported(const nsAString&, const nsAString&, PRBool*) override { return gecko::kNotImplemented; }
  GECKO_METHOD GetNamespaceURI(nsAString&) override { return gecko::kNotImplemented; }
  GECKO_METHOD GetPrefix(nsAString&) override { return gecko::kNotImplemented; }
  GECKO_METHOD SetPrefix(const nsAString&) override { return gecko::kNotImplemented; }
  GECKO_METHOD GetLocalName(nsAString&) override { return gecko::kNotImplemented; }
  GECKO_METHOD HasAttributes(PRBool*) override { return gecko::kNotImplemented; }
};
