#pragma once
// What the browser itself has, as its public interface definitions give it
// (Firefox 3, Gecko 1.9; the accessible interfaces of its Windows
// accessibility): each interface's identifier and number of vtable slots
// (the three of nsISupports/IUnknown included), and the slot of every
// method the plug-in or the host calls, plus each interface's first and
// last. Declarations on either side are checked against this table.
#include <string>
#include <vector>

struct RealInterface {
  const char* name;
  const char* iid;
  int slots;
};

struct RealMethod {
  const char* interfaceName;
  const char* method;
  int slot;
};

inline const std::vector<RealInterface>& RealInterfaces() {
  static const std::vector<RealInterface> table = {
      {"nsISupports", "00000000-0000-0000-c000-000000000046", 3},
      {"nsIModule", "7392d032-5371-11d3-994e-00805fd26fee", 7},
      {"nsIFactory", "00000001-0000-0000-c000-000000000046", 5},
      {"nsIComponentManager", "a88e5a60-205a-4bb1-94e1-2628daf51eae", 7},
      {"nsIServiceManager", "8bb35ed9-e332-462d-9155-4a002ab5c958", 7},
      {"nsIComponentRegistrar", "2417cbfe-65ad-48a6-b4b6-eb84db174392", 15},
      {"nsICategoryManager", "3275b2cd-af6d-429a-80d7-f0c5120342ac", 9},
      {"nsIDOMNode", "a6cf907c-15b3-11d2-932e-00805f8add32", 28},
      {"nsIDOMDocument", "a6cf9075-15b3-11d2-932e-00805f8add32", 45},
      {"nsIDOMElement", "a6cf9078-15b3-11d2-932e-00805f8add32", 44},
      {"nsIDOMNSHTMLElement", "eac0a4ee-2e4f-403c-9b77-5cf32cfb42f7", 29},
      {"ISimpleDOMNode", "1814ceeb-49e2-407f-af99-fa755a7d2607", 18},
      {"ISimpleDOMText", "4e747be5-2052-4265-8af0-8ecad7aad1c0", 8},
  };
  return table;
}

inline const std::vector<RealMethod>& RealMethods() {
  static const std::vector<RealMethod> table = {
      {"nsISupports", "QueryInterface", 0},
      {"nsISupports", "Release", 2},
      {"nsIModule", "GetClassObject", 3},
      {"nsIModule", "RegisterSelf", 4},
      {"nsIModule", "UnregisterSelf", 5},
      {"nsIModule", "CanUnload", 6},
      {"nsIFactory", "CreateInstance", 3},
      {"nsIFactory", "LockFactory", 4},
      {"nsIComponentManager", "GetClassObject", 3},
      {"nsIComponentManager", "GetClassObjectByContractID", 4},
      {"nsIComponentManager", "CreateInstance", 5},
      {"nsIComponentManager", "CreateInstanceByContractID", 6},
      {"nsIServiceManager", "GetService", 3},
      {"nsIServiceManager", "GetServiceByContractID", 4},
      {"nsIServiceManager", "IsServiceInstantiatedByContractID", 6},
      {"nsIComponentRegistrar", "AutoRegister", 3},
      {"nsIComponentRegistrar", "RegisterFactoryLocation", 7},
      {"nsIComponentRegistrar", "UnregisterFactoryLocation", 8},
      {"nsIComponentRegistrar", "ContractIDToCID", 14},
      {"nsICategoryManager", "GetCategoryEntry", 3},
      {"nsICategoryManager", "AddCategoryEntry", 4},
      {"nsICategoryManager", "DeleteCategoryEntry", 5},
      {"nsICategoryManager", "EnumerateCategories", 8},
      {"nsIDOMNode", "GetNodeName", 3},
      {"nsIDOMNode", "GetNodeType", 6},
      {"nsIDOMNode", "HasAttributes", 27},
      {"nsIDOMDocument", "GetDoctype", 28},
      {"nsIDOMDocument", "GetDocumentElement", 30},
      {"nsIDOMDocument", "GetElementById", 44},
      {"nsIDOMElement", "GetTagName", 28},
      {"nsIDOMElement", "HasAttributeNS", 43},
      {"nsIDOMNSHTMLElement", "GetOffsetTop", 3},
      {"nsIDOMNSHTMLElement", "GetInnerHTML", 8},
      {"nsIDOMNSHTMLElement", "SetInnerHTML", 9},
      {"nsIDOMNSHTMLElement", "SetSpellcheck", 28},
      {"ISimpleDOMNode", "get_nodeInfo", 3},
      {"ISimpleDOMNode", "get_innerHTML", 15},
      {"ISimpleDOMNode", "get_language", 17},
      {"ISimpleDOMText", "get_domText", 3},
      {"ISimpleDOMText", "get_clippedSubstringBounds", 4},
      {"ISimpleDOMText", "get_unclippedSubstringBounds", 5},
      {"ISimpleDOMText", "get_fontFamily", 7},
  };
  return table;
}

// The frozen function table of Gecko 1.9: version and size (two 32-bit
// words), then this many function pointers; a few of them by position.
inline constexpr int kRealFrozenFunctionCount = 54;
struct RealFrozenFunction {
  const char* name;
  int position;
};
inline const std::vector<RealFrozenFunction>& RealFrozenFunctions() {
  static const std::vector<RealFrozenFunction> table = {
      {"init", 0},
      {"getServiceManager", 2},
      {"getComponentManager", 3},
      {"getComponentRegistrar", 4},
      {"getDebug", 10},
      {"stringContainerInit", 12},
      {"stringContainerFinish", 13},
      {"stringGetData", 14},
      {"stringSetData", 15},
      {"cstringCloneData", 27},
      {"allocFunc", 28},
      {"reallocFunc", 29},
      {"freeFunc", 30},
      {"init3", 35},
      {"debugBreakFunc", 36},
      {"cstringGetIsVoid", 53},
  };
  return table;
}
