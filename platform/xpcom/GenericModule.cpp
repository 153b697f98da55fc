#include "platform/xpcom/GenericModule.h"

#include <atomic>
#include <cstring>
#include <new>

#include "platform/com/ComPtr.h"
#include "platform/xpcom/XpcomGlue.h"
#include "platform/xpcom/nsICategoryManager.h"
#include "platform/xpcom/nsIComponentManager.h"
#include "platform/xpcom/nsIComponentRegistrar.h"
#include "platform/xpcom/nsIServiceManager.h"

namespace {

std::atomic<long> g_locks{0};

bool SameId(const nsID& a, const nsID& b) { return memcmp(&a, &b, sizeof(nsID)) == 0; }

// Reference counting shared by the module and the factory; each live
// object holds one lock of the library.
template <class Interface>
class Counted : public Interface {
 public:
  Counted() { ++g_locks; }
  virtual ~Counted() { --g_locks; }
  NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override {
    if (!result) return NS_ERROR_NULL_POINTER;
    *result = nullptr;
    if (!SameId(iid, __uuidof(Interface)) && !SameId(iid, __uuidof(nsISupports))) return NS_NOINTERFACE;
    AddRef();
    *result = static_cast<Interface*>(this);
    return NS_OK;
  }
  nsrefcnt __stdcall AddRef() override { return ++refs_; }
  nsrefcnt __stdcall Release() override {
    nsrefcnt count = --refs_;
    if (count == 0) delete this;
    return count;
  }

 private:
  std::atomic<nsrefcnt> refs_{0};
};

class GenericFactory final : public Counted<nsIFactory> {
 public:
  explicit GenericFactory(ModuleConstructorProc constructor) : constructor_(constructor) {}
  NS_IMETHOD CreateInstance(nsISupports* outer, const nsIID& iid, void** result) override {
    if (!result) return NS_ERROR_NULL_POINTER;
    *result = nullptr;
    return constructor_(outer, iid, result);
  }
  NS_IMETHOD LockFactory(PRBool lock) override {
    lock ? ++g_locks : --g_locks;
    return NS_OK;
  }

 private:
  ModuleConstructorProc constructor_;
};

class GenericModule final : public Counted<nsIModule> {
 public:
  explicit GenericModule(const ModuleTable& table) : table_(table) {}

  NS_IMETHOD GetClassObject(nsIComponentManager*, const nsCID& cid, const nsIID& iid, void** result) override {
    if (!result) return NS_ERROR_NULL_POINTER;
    *result = nullptr;
    for (const ModuleClass* entry = table_.classes; entry && entry->cid; ++entry) {
      if (!SameId(*entry->cid, cid)) continue;
      platform::ComPtr<nsIFactory> factory;
      nsresult rv = NS_ERROR_FACTORY_NOT_REGISTERED;
      if (table_.getFactory) rv = table_.getFactory(table_, *entry, factory.Receive());
      if (!factory && entry->getFactory) rv = entry->getFactory(table_, *entry, factory.Receive());
      if (!factory && entry->constructor) rv = NewGenericFactory(entry->constructor, factory.Receive());
      if (!factory) return NS_FAILED(rv) ? rv : NS_ERROR_FACTORY_NOT_REGISTERED;
      return factory->QueryInterface(iid, result);
    }
    return NS_ERROR_FACTORY_NOT_REGISTERED;
  }

  NS_IMETHOD RegisterSelf(nsIComponentManager* manager, nsIFile* location, const char* loaderString,
                          const char* type) override {
    platform::ComPtr<nsIComponentRegistrar> registrar;
    if (!manager) return NS_ERROR_NULL_POINTER;
    nsresult rv = manager->QueryInterface(__uuidof(nsIComponentRegistrar),
                                                                           registrar.ReceiveVoid());
    if (NS_FAILED(rv)) return rv;
    for (const ModuleContract* c = table_.contracts; c && c->contractId; ++c) {
      rv = registrar->RegisterFactoryLocation(*c->cid, "", c->contractId, location, loaderString, type);
      if (NS_FAILED(rv)) return rv;
    }
    if (!table_.categories || !table_.categories->category) return NS_OK;
    platform::ComPtr<nsICategoryManager> categories = CategoryManager(rv);
    if (!categories) return rv;
    for (const ModuleCategory* c = table_.categories; c->category; ++c) {
      char* old = nullptr;
      rv = categories->AddCategoryEntry(c->category, c->entry, c->value, PR_TRUE, PR_TRUE, &old);
      NS_Free(old);  // the replaced value is the caller's to free
      if (NS_FAILED(rv)) return rv;
    }
    return NS_OK;
  }

  NS_IMETHOD UnregisterSelf(nsIComponentManager* manager, nsIFile* location, const char*) override {
    if (!manager) return NS_ERROR_NULL_POINTER;
    nsresult rv = NS_OK;
    platform::ComPtr<nsICategoryManager> categories = CategoryManager(rv);
    for (const ModuleCategory* c = table_.categories; categories && c && c->category; ++c)
      categories->DeleteCategoryEntry(c->category, c->entry, PR_TRUE);
    platform::ComPtr<nsIComponentRegistrar> registrar;
    rv = manager->QueryInterface(__uuidof(nsIComponentRegistrar),
                                                                  registrar.ReceiveVoid());
    if (NS_FAILED(rv)) return rv;
    for (const ModuleClass* entry = table_.classes; entry && entry->cid; ++entry)
      registrar->UnregisterFactoryLocation(*entry->cid, location);
    return NS_OK;
  }

  NS_IMETHOD CanUnload(nsIComponentManager*, PRBool* result) override {
    if (!result) return NS_ERROR_NULL_POINTER;
    // This module object itself holds one lock.
    *result = g_locks.load() <= 1 ? PR_TRUE : PR_FALSE;
    return NS_OK;
  }

 private:
  static platform::ComPtr<nsICategoryManager> CategoryManager(nsresult& rv) {
    platform::ComPtr<nsIServiceManager> services;
    rv = NS_GetServiceManager(services.Receive());
    platform::ComPtr<nsICategoryManager> categories;
    if (NS_SUCCEEDED(rv) && services)
      rv = services->GetServiceByContractID(kCategoryManagerContractId, __uuidof(nsICategoryManager),
                                            categories.ReceiveVoid());
    return categories;
  }

  const ModuleTable& table_;
};

}  // namespace

nsresult NewGenericModule(const ModuleTable& table, nsIModule** result) {
  if (!result) return NS_ERROR_NULL_POINTER;
  *result = nullptr;
  auto* module = new (std::nothrow) GenericModule(table);
  if (!module) return NS_ERROR_OUT_OF_MEMORY;
  module->AddRef();
  *result = module;
  if (table.load) {
    nsresult rv = table.load();
    if (NS_FAILED(rv)) {
      module->Release();
      *result = nullptr;
      return rv;
    }
  }
  return NS_OK;
}

nsresult NewGenericFactory(ModuleConstructorProc constructor, nsIFactory** result) {
  if (!result) return NS_ERROR_NULL_POINTER;
  *result = nullptr;
  if (!constructor) return NS_ERROR_INVALID_ARG;
  auto* factory = new (std::nothrow) GenericFactory(constructor);
  if (!factory) return NS_ERROR_OUT_OF_MEMORY;
  factory->AddRef();
  *result = factory;
  return NS_OK;
}

long GenericModuleLockCount() { return g_locks.load(); }
