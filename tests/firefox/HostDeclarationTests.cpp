// The test host's own declarations of the browser's interfaces (those its
// stand-in XPCOM library, page objects and accessible objects implement)
// against the browser's real ones.
#include "GeckoAccessible.h"
#include "GeckoDom.h"
#include "GeckoXpcom.h"
#include "ProbedDeclarations.h"

namespace {

struct HostSide {
  using nsISupports = gecko::nsISupports;
  using nsIModule = gecko::nsIModule;
  using nsIFactory = gecko::nsIFactory;
  using nsIComponentManager = gecko::nsIComponentManager;
  using nsIServiceManager = gecko::nsIServiceManager;
  using nsIComponentRegistrar = gecko::nsIComponentRegistrar;
  using nsICategoryManager = gecko::nsICategoryManager;
  using nsIDOMNode = gecko::nsIDOMNode;
  using nsIDOMDocument = gecko::nsIDOMDocument;
  using nsIDOMElement = gecko::nsIDOMElement;
  using nsIDOMNSHTMLElement = gecko::nsIDOMNSHTMLElement;
  using ISimpleDOMNode = gecko::ISimpleDOMNode;
  using ISimpleDOMText = gecko::ISimpleDOMText;

  static const gecko::nsID& AnyId() {
    static const gecko::nsID id = {};
    return id;
  }
  static gecko::nsAString& AnyString() {
    static gecko::nsAString text = {};
    return text;
  }
  static constexpr gecko::PRBool kYes = gecko::kTrue;
  template <class Interface>
  static GUID IidOf() {
    return Interface::kIID;
  }
};

TEST(HostDeclarations, CarryTheBrowsersIdentifiers) { CheckIdentifiers(DeclaredInterfaces<HostSide>(), "the host"); }

TEST(HostDeclarations, CallEachMethodThroughItsSlotInTheBrowsersTable) {
  CheckSlots(DeclaredMethods<HostSide>(), "the host");
}

}  // namespace
