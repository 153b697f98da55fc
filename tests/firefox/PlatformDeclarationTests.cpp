// The plug-in's declarations of the browser's interfaces (platform/xpcom and
// the accessible interfaces' IDL) against the browser's real ones.
#include "AccessibleText.h"
#include "ProbedDeclarations.h"
#include "platform/xpcom/nsICategoryManager.h"
#include "platform/xpcom/nsIComponentManager.h"
#include "platform/xpcom/nsIComponentRegistrar.h"
#include "platform/xpcom/nsIDOMDocument.h"
#include "platform/xpcom/nsIDOMElement.h"
#include "platform/xpcom/nsIDOMNSHTMLElement.h"
#include "platform/xpcom/nsIFactory.h"
#include "platform/xpcom/nsIModule.h"
#include "platform/xpcom/nsIServiceManager.h"

namespace {

struct PluginSide {
  using nsISupports = ::nsISupports;
  using nsIModule = ::nsIModule;
  using nsIFactory = ::nsIFactory;
  using nsIComponentManager = ::nsIComponentManager;
  using nsIServiceManager = ::nsIServiceManager;
  using nsIComponentRegistrar = ::nsIComponentRegistrar;
  using nsICategoryManager = ::nsICategoryManager;
  using nsIDOMNode = ::nsIDOMNode;
  using nsIDOMDocument = ::nsIDOMDocument;
  using nsIDOMElement = ::nsIDOMElement;
  using nsIDOMNSHTMLElement = ::nsIDOMNSHTMLElement;
  using ISimpleDOMNode = ::ISimpleDOMNode;
  using ISimpleDOMText = ::ISimpleDOMText;

  static const nsID& AnyId() {
    static const nsID id = {};
    return id;
  }
  static nsAString& AnyString() {
    alignas(void*) static char storage[sizeof(nsStringContainer)] = {};
    return *reinterpret_cast<nsAString*>(storage);
  }
  static constexpr PRBool kYes = PR_TRUE;
  template <class Interface>
  static GUID IidOf() {
    return __uuidof(Interface);
  }
};

TEST(PluginDeclarations, CarryTheBrowsersIdentifiers) {
  CheckIdentifiers(DeclaredInterfaces<PluginSide>(), "the plug-in");
}

TEST(PluginDeclarations, CallEachMethodThroughItsSlotInTheBrowsersTable) {
  CheckSlots(DeclaredMethods<PluginSide>(), "the plug-in");
}

}  // namespace
