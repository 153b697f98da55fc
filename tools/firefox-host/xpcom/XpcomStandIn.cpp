// Stand-in of the browser's XPCOM library for the program that plays
// Firefox: the frozen function table (strings, service manager), a
// component manager with its registrar, the category manager, and the
// host's own exports that load a component library as the browser does.
#include <windows.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "XpcomHostApi.h"
#include "platform/com/ComPtr.h"
#include "platform/xpcom/XpcomGlue.h"
#include "platform/xpcom/nsIModule.h"
#include "platform/xpcom/nsIServiceManager.h"

namespace {

using platform::ComPtr;

bool SameId(const nsID& a, const nsID& b) { return memcmp(&a, &b, sizeof(nsID)) == 0; }
struct IdLess {
  bool operator()(const nsID& a, const nsID& b) const { return memcmp(&a, &b, sizeof(nsID)) < 0; }
};

// A string object's storage: its first slot points at the characters.
std::wstring*& Slot(const nsAString& text) {
  return *reinterpret_cast<std::wstring**>(const_cast<nsAString*>(&text));
}
std::wstring& Text(const nsAString& text) {
  std::wstring*& slot = Slot(text);
  if (!slot) slot = new std::wstring();
  return *slot;
}

nsresult __stdcall StringContainerInit(nsStringContainer& container) {
  Slot(container) = new std::wstring();
  return NS_OK;
}
void __stdcall StringContainerFinish(nsStringContainer& container) {
  delete Slot(container);
  Slot(container) = nullptr;
}
uint32_t __stdcall StringGetData(const nsAString& text, const PRUnichar** data, PRBool* terminated) {
  std::wstring& value = Text(text);
  if (data) *data = value.c_str();
  if (terminated) *terminated = PR_TRUE;
  return static_cast<uint32_t>(value.size());
}
nsresult __stdcall StringSetData(nsAString& text, const PRUnichar* data, uint32_t length) {
  if (!data && length) return NS_ERROR_NULL_POINTER;
  if (length == UINT32_MAX) length = static_cast<uint32_t>(wcslen(data));
  Text(text).assign(data ? data : L"", length);
  return NS_OK;
}

char* CopyForCaller(const std::string& text) {
  char* copy = static_cast<char*>(CoTaskMemAlloc(text.size() + 1));
  if (copy) memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

// One object answering as the browser's registries. It lives as long as the
// library and counts nothing.
class Registries final : public nsIComponentManager,
                         public nsIComponentRegistrar,
                         public nsIServiceManager,
                         public nsICategoryManager {
 public:
  NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override {
    if (!result) return NS_ERROR_NULL_POINTER;
    *result = nullptr;
    if (SameId(iid, __uuidof(nsISupports)) || SameId(iid, __uuidof(nsIComponentManager)))
      *result = static_cast<nsIComponentManager*>(this);
    else if (SameId(iid, __uuidof(nsIComponentRegistrar)))
      *result = static_cast<nsIComponentRegistrar*>(this);
    else if (SameId(iid, __uuidof(nsIServiceManager)))
      *result = static_cast<nsIServiceManager*>(this);
    else if (SameId(iid, __uuidof(nsICategoryManager)))
      *result = static_cast<nsICategoryManager*>(this);
    return *result ? NS_OK : NS_NOINTERFACE;
  }
  nsrefcnt __stdcall AddRef() override { return 2; }
  nsrefcnt __stdcall Release() override { return 1; }

  // nsIComponentManager
  NS_IMETHOD GetClassObject(const nsCID& cid, const nsIID& iid, void** result) override {
    if (!result) return NS_ERROR_NULL_POINTER;
    *result = nullptr;
    auto found = classes_.find(cid);
    if (found == classes_.end()) return NS_ERROR_FACTORY_NOT_REGISTERED;
    return found->second->GetClassObject(this, cid, iid, result);
  }
  NS_IMETHOD CreateInstanceByContractID(const char* contractId, nsISupports* outer, const nsIID& iid,
                                        void** result) override {
    if (!result || !contractId) return NS_ERROR_NULL_POINTER;
    *result = nullptr;
    auto found = contracts_.find(contractId);
    if (found == contracts_.end()) return NS_ERROR_FACTORY_NOT_REGISTERED;
    ComPtr<nsIFactory> factory;
    nsresult rv = GetClassObject(found->second, __uuidof(nsIFactory), factory.ReceiveVoid());
    if (NS_FAILED(rv)) return rv;
    return factory->CreateInstance(outer, iid, result);
  }

  // nsIComponentRegistrar
  NS_IMETHOD RegisterFactoryLocation(const nsCID& cid, const char*, const char* contractId, nsIFile*,
                                     const char*, const char*) override {
    if (!registering_) return NS_ERROR_FAILURE;
    classes_[cid] = registering_;
    if (contractId && *contractId) contracts_[contractId] = cid;
    return NS_OK;
  }
  NS_IMETHOD UnregisterFactoryLocation(const nsCID& cid, nsIFile*) override {
    classes_.erase(cid);
    for (auto it = contracts_.begin(); it != contracts_.end();)
      it = SameId(it->second, cid) ? contracts_.erase(it) : std::next(it);
    return NS_OK;
  }

  // nsIServiceManager
  NS_IMETHOD GetService(const nsCID&, const nsIID&, void** result) override {
    if (result) *result = nullptr;
    return NS_ERROR_FACTORY_NOT_REGISTERED;
  }
  NS_IMETHOD GetServiceByContractID(const char* contractId, const nsIID& iid, void** result) override {
    if (!result) return NS_ERROR_NULL_POINTER;
    *result = nullptr;
    if (contractId && strcmp(contractId, kCategoryManagerContractId) == 0)
      return QueryInterface(iid, result);
    return NS_ERROR_FACTORY_NOT_REGISTERED;
  }

  // nsICategoryManager
  NS_IMETHOD GetCategoryEntry(const char* category, const char* entry, char** value) override {
    if (!category || !entry || !value) return NS_ERROR_NULL_POINTER;
    *value = nullptr;
    auto found = categories_.find(std::string(category) + "\n" + entry);
    if (found == categories_.end()) return NS_ERROR_NOT_AVAILABLE;
    *value = CopyForCaller(found->second);
    return *value ? NS_OK : NS_ERROR_OUT_OF_MEMORY;
  }
  NS_IMETHOD AddCategoryEntry(const char* category, const char* entry, const char* value, PRBool, PRBool replace,
                              char** oldValue) override {
    if (!category || !entry || !value) return NS_ERROR_NULL_POINTER;
    if (oldValue) *oldValue = nullptr;
    std::string key = std::string(category) + "\n" + entry;
    auto found = categories_.find(key);
    if (found != categories_.end()) {
      if (oldValue) *oldValue = CopyForCaller(found->second);
      if (!replace) return NS_ERROR_FAILURE;
    }
    categories_[key] = value;
    return NS_OK;
  }
  NS_IMETHOD DeleteCategoryEntry(const char* category, const char* entry, PRBool) override {
    if (!category || !entry) return NS_ERROR_NULL_POINTER;
    categories_.erase(std::string(category) + "\n" + entry);
    return NS_OK;
  }

  nsresult LoadLibraryModule(const wchar_t* path) {
    HMODULE library = LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library) return NS_ERROR_FAILURE;
    auto getModule = reinterpret_cast<NSGetModuleProc>(GetProcAddress(library, "NSGetModule"));
    ComPtr<nsIModule> module;
    nsresult rv = getModule ? getModule(this, nullptr, module.Receive()) : NS_ERROR_FAILURE;
    if (NS_SUCCEEDED(rv) && module) {
      registering_ = module.Get();
      rv = module->RegisterSelf(this, nullptr, "", "");
      registering_ = nullptr;
    }
    if (NS_FAILED(rv) || !module) {
      module.Reset();
      FreeLibrary(library);
      return NS_FAILED(rv) ? rv : NS_ERROR_FAILURE;
    }
    modules_.push_back({library, std::move(module)});
    return NS_OK;
  }

  // Forgets every class; frees the libraries whose module says it can go.
  int UnloadLibraries() {
    classes_.clear();
    contracts_.clear();
    int unloaded = 0;
    while (!modules_.empty()) {
      Loaded& loaded = modules_.back();
      PRBool canUnload = PR_FALSE;
      loaded.module->CanUnload(this, &canUnload);
      loaded.module.Reset();
      if (canUnload) {
        FreeLibrary(loaded.library);
        ++unloaded;
      }
      modules_.pop_back();
    }
    return unloaded;
  }

 private:
  struct Loaded {
    HMODULE library;
    ComPtr<nsIModule> module;
  };
  std::map<nsCID, nsIModule*, IdLess> classes_;
  std::map<std::string, nsCID> contracts_;
  std::map<std::string, std::string> categories_;
  std::vector<Loaded> modules_;
  nsIModule* registering_ = nullptr;
};

Registries& TheRegistries() {
  static Registries registries;
  return registries;
}

nsresult __stdcall GetServiceManager(nsIServiceManager** result) {
  if (!result) return NS_ERROR_NULL_POINTER;
  *result = &TheRegistries();
  return NS_OK;
}

}  // namespace

extern "C" {

__declspec(dllexport) nsresult __stdcall NS_GetFrozenFunctions(XPCOMFunctions* functions, const char*) {
  if (!functions) return NS_ERROR_NULL_POINTER;
  if (functions->version != kXpcomFunctionsVersion || functions->size < sizeof(XPCOMFunctions))
    return NS_ERROR_FAILURE;
  functions->getServiceManager = GetServiceManager;
  functions->stringContainerInit = StringContainerInit;
  functions->stringContainerFinish = StringContainerFinish;
  functions->stringGetData = StringGetData;
  functions->stringSetData = StringSetData;
  return NS_OK;
}

__declspec(dllexport) nsresult __stdcall NS_HostLoadComponentLibrary(const wchar_t* path) {
  return TheRegistries().LoadLibraryModule(path);
}

__declspec(dllexport) nsresult __stdcall NS_HostCreateInstance(const char* contractId, const nsIID& iid,
                                                               void** result) {
  return TheRegistries().CreateInstanceByContractID(contractId, nullptr, iid, result);
}

__declspec(dllexport) nsresult __stdcall NS_HostGetComponentManager(nsIComponentManager** result) {
  if (!result) return NS_ERROR_NULL_POINTER;
  *result = &TheRegistries();
  return NS_OK;
}

__declspec(dllexport) int __stdcall NS_HostUnloadLibraries() { return TheRegistries().UnloadLibraries(); }

}  // extern "C"
