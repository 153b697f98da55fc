#pragma once
// The interfaces and methods each side's declarations are checked for, the
// same list for both. A side describes itself with a struct naming its
// declarations (nsISupports, nsIModule, ..., ISimpleDOMText), giving any
// nsID (AnyId), any string object (AnyString), a true PRBool (kYes) and an
// interface's identifier (IidOf).
#include "DeclarationCheck.h"

#define SIDE_TYPES(Side)                                            \
  using nsISupports = typename Side::nsISupports;                   \
  using nsIModule = typename Side::nsIModule;                       \
  using nsIFactory = typename Side::nsIFactory;                     \
  using nsIComponentManager = typename Side::nsIComponentManager;   \
  using nsIServiceManager = typename Side::nsIServiceManager;       \
  using nsIComponentRegistrar = typename Side::nsIComponentRegistrar; \
  using nsICategoryManager = typename Side::nsICategoryManager;     \
  using nsIDOMNode = typename Side::nsIDOMNode;                     \
  using nsIDOMDocument = typename Side::nsIDOMDocument;             \
  using nsIDOMElement = typename Side::nsIDOMElement;               \
  using nsIDOMNSHTMLElement = typename Side::nsIDOMNSHTMLElement;   \
  using ISimpleDOMNode = typename Side::ISimpleDOMNode;             \
  using ISimpleDOMText = typename Side::ISimpleDOMText

#define DECLARED_INTERFACE(Interface) \
  DeclaredInterface { #Interface, Side::template IidOf<Interface>() }

template <class Side>
std::vector<DeclaredInterface> DeclaredInterfaces() {
  SIDE_TYPES(Side);
  return {
      DECLARED_INTERFACE(nsISupports),         DECLARED_INTERFACE(nsIModule),
      DECLARED_INTERFACE(nsIFactory),          DECLARED_INTERFACE(nsIComponentManager),
      DECLARED_INTERFACE(nsIServiceManager),   DECLARED_INTERFACE(nsIComponentRegistrar),
      DECLARED_INTERFACE(nsICategoryManager),  DECLARED_INTERFACE(nsIDOMNode),
      DECLARED_INTERFACE(nsIDOMDocument),      DECLARED_INTERFACE(nsIDOMElement),
      DECLARED_INTERFACE(nsIDOMNSHTMLElement), DECLARED_INTERFACE(ISimpleDOMNode),
      DECLARED_INTERFACE(ISimpleDOMText),
  };
}

template <class Side>
std::vector<DeclaredMethod> DeclaredMethods() {
  SIDE_TYPES(Side);
  return {
      DECLARED_METHOD(nsISupports, QueryInterface, Side::AnyId(), nullptr),
      DECLARED_METHOD(nsISupports, Release),
      DECLARED_METHOD(nsIModule, GetClassObject, nullptr, Side::AnyId(), Side::AnyId(), nullptr),
      DECLARED_METHOD(nsIModule, RegisterSelf, nullptr, nullptr, nullptr, nullptr),
      DECLARED_METHOD(nsIModule, UnregisterSelf, nullptr, nullptr, nullptr),
      DECLARED_METHOD(nsIModule, CanUnload, nullptr, nullptr),
      DECLARED_METHOD(nsIFactory, CreateInstance, nullptr, Side::AnyId(), nullptr),
      DECLARED_METHOD(nsIFactory, LockFactory, Side::kYes),
      DECLARED_METHOD(nsIComponentManager, GetClassObject, Side::AnyId(), Side::AnyId(), nullptr),
      DECLARED_METHOD(nsIComponentManager, GetClassObjectByContractID, nullptr, Side::AnyId(), nullptr),
      DECLARED_METHOD(nsIComponentManager, CreateInstance, Side::AnyId(), nullptr, Side::AnyId(), nullptr),
      DECLARED_METHOD(nsIComponentManager, CreateInstanceByContractID, nullptr, nullptr, Side::AnyId(), nullptr),
      DECLARED_METHOD(nsIServiceManager, GetService, Side::AnyId(), Side::AnyId(), nullptr),
      DECLARED_METHOD(nsIServiceManager, GetServiceByContractID, nullptr, Side::AnyId(), nullptr),
      DECLARED_METHOD(nsIServiceManager, IsServiceInstantiatedByContractID, nullptr, Side::AnyId(), nullptr),
      DECLARED_METHOD(nsIComponentRegistrar, AutoRegister, nullptr),
      DECLARED_METHOD(nsIComponentRegistrar, RegisterFactoryLocation, Side::AnyId(), nullptr, nullptr, nullptr,
                      nullptr, nullptr),
      DECLARED_METHOD(nsIComponentRegistrar, UnregisterFactoryLocation, Side::AnyId(), nullptr),
      DECLARED_METHOD(nsIComponentRegistrar, ContractIDToCID, nullptr, nullptr),
      DECLARED_METHOD(nsICategoryManager, GetCategoryEntry, nullptr, nullptr, nullptr),
      DECLARED_METHOD(nsICategoryManager, AddCategoryEntry, nullptr, nullptr, nullptr, Side::kYes, Side::kYes,
                      nullptr),
      DECLARED_METHOD(nsICategoryManager, DeleteCategoryEntry, nullptr, nullptr, Side::kYes),
      DECLARED_METHOD(nsICategoryManager, EnumerateCategories, nullptr),
      DECLARED_METHOD(nsIDOMNode, GetNodeName, Side::AnyString()),
      DECLARED_METHOD(nsIDOMNode, GetNodeType, nullptr),
      DECLARED_METHOD(nsIDOMNode, HasAttributes, nullptr),
      DECLARED_METHOD(nsIDOMDocument, GetDoctype, nullptr),
      DECLARED_METHOD(nsIDOMDocument, GetDocumentElement, nullptr),
      DECLARED_METHOD(nsIDOMDocument, GetElementById, Side::AnyString(), nullptr),
      DECLARED_METHOD(nsIDOMElement, GetTagName, Side::AnyString()),
      DECLARED_METHOD(nsIDOMElement, HasAttributeNS, Side::AnyString(), Side::AnyString(), nullptr),
      DECLARED_METHOD(nsIDOMNSHTMLElement, GetOffsetTop, nullptr),
      DECLARED_METHOD(nsIDOMNSHTMLElement, GetInnerHTML, Side::AnyString()),
      DECLARED_METHOD(nsIDOMNSHTMLElement, SetInnerHTML, Side::AnyString()),
      DECLARED_METHOD(nsIDOMNSHTMLElement, SetSpellcheck, Side::kYes),
      DECLARED_METHOD(ISimpleDOMNode, get_nodeInfo, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
      DECLARED_METHOD(ISimpleDOMNode, get_innerHTML, nullptr),
      DECLARED_METHOD(ISimpleDOMNode, get_language, nullptr),
      DECLARED_METHOD(ISimpleDOMText, get_domText, nullptr),
      DECLARED_METHOD(ISimpleDOMText, get_clippedSubstringBounds, 0, 0, nullptr, nullptr, nullptr, nullptr),
      DECLARED_METHOD(ISimpleDOMText, get_unclippedSubstringBounds, 0, 0, nullptr, nullptr, nullptr, nullptr),
      DECLARED_METHOD(ISimpleDOMText, get_fontFamily, nullptr),
  };
}
