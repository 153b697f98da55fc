// Stand-in of Firefox 3's XPCOM library ("xpcom.dll") for the programs that
// play the browser: the frozen function table in Gecko 1.9's layout, the
// same functions as named exports, one object answering as the component
// manager, registrar, service manager and category manager (every method
// of each, those nobody here needs answering NS_ERROR_NOT_IMPLEMENTED), and
// two exports of the host's own that load and unload a component library
// as the browser does.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "GeckoFrozenFunctions.h"
#include "XpcomHostApi.h"

namespace {

using namespace gecko;

// --- Memory and strings -------------------------------------------------

void* GECKO_CALL Alloc(size_t size) { return malloc(size ? size : 1); }
void* GECKO_CALL Realloc(void* block, size_t size) { return realloc(block, size ? size : 1); }
void GECKO_CALL Free(void* block) { free(block); }

char* CopyForCaller(const std::string& text) {
  char* copy = static_cast<char*>(Alloc(text.size() + 1));
  if (copy) memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

// A string object here: its characters (terminated, owned by the object
// when flags says so), their count.
constexpr uint32_t kOwnsData = 1;

void ReleaseData(nsAString& text) {
  if (text.flags & kOwnsData) delete[] static_cast<PRUnichar*>(text.data);
  text.data = nullptr;
  text.length = 0;
  text.flags = 0;
}

nsresult GECKO_CALL StringContainerInit(nsStringContainer& container) {
  container.data = nullptr;
  container.length = 0;
  container.flags = 0;
  return kOk;
}

void GECKO_CALL StringContainerFinish(nsStringContainer& container) { ReleaseData(container); }

uint32_t GECKO_CALL StringGetData(const nsAString& text, const PRUnichar** data, PRBool* terminated) {
  static const PRUnichar kEmpty[] = L"";
  if (data) *data = text.data ? static_cast<const PRUnichar*>(text.data) : kEmpty;
  if (terminated) *terminated = kTrue;
  return text.data ? text.length : 0;
}

nsresult GECKO_CALL StringSetData(nsAString& text, const PRUnichar* data, uint32_t length) {
  if (!data && length) return kNullPointer;
  if (length == UINT32_MAX) length = data ? static_cast<uint32_t>(wcslen(data)) : 0;
  auto* copy = new (std::nothrow) PRUnichar[length + 1];
  if (!copy) return kOutOfMemory;
  if (length) memcpy(copy, data, length * sizeof(PRUnichar));
  copy[length] = 0;
  ReleaseData(text);
  text.data = copy;
  text.length = length;
  text.flags = kOwnsData;
  return kOk;
}

nsresult GECKO_CALL NotImplemented() { return kNotImplemented; }
AnyFunction Missing() { return reinterpret_cast<AnyFunction>(&NotImplemented); }

// --- The registries ------------------------------------------------------

struct IdLess {
  bool operator()(const nsID& a, const nsID& b) const { return memcmp(&a, &b, sizeof(nsID)) < 0; }
};

// One object answering as the browser's registries. It lives as long as the
// library and counts nothing.
class Registries final : public nsIComponentManager,
                         public nsIComponentRegistrar,
                         public nsIServiceManager,
                         public nsICategoryManager {
 public:
  GECKO_METHOD QueryInterface(const nsID& iid, void** result) override {
    if (!result) return kNullPointer;
    *result = nullptr;
    if (SameId(iid, nsISupports::kIID) || SameId(iid, nsIComponentManager::kIID))
      *result = static_cast<nsIComponentManager*>(this);
    else if (SameId(iid, nsIComponentRegistrar::kIID))
      *result = static_cast<nsIComponentRegistrar*>(this);
    else if (SameId(iid, nsIServiceManager::kIID))
      *result = static_cast<nsIServiceManager*>(this);
    else if (SameId(iid, nsICategoryManager::kIID))
      *result = static_cast<nsICategoryManager*>(this);
    return *result ? kOk : kNoInterface;
  }
  nsrefcnt __stdcall AddRef() override { return 2; }
  nsrefcnt __stdcall Release() override { return 1; }

  // nsIComponentManager
  GECKO_METHOD GetClassObject(const nsID& cid, const nsID& iid, void** result) override {
    if (!result) return kNullPointer;
    *result = nullptr;
    auto found = classes_.find(cid);
    if (found == classes_.end()) return kFactoryNotRegistered;
    return found->second->GetClassObject(this, cid, iid, result);
  }
  GECKO_METHOD GetClassObjectByContractID(const char* contractId, const nsID& iid, void** result) override {
    if (!result || !contractId) return kNullPointer;
    *result = nullptr;
    auto found = contracts_.find(contractId);
    return found == contracts_.end() ? kFactoryNotRegistered : GetClassObject(found->second, iid, result);
  }
  GECKO_METHOD CreateInstance(const nsID& cid, nsISupports* outer, const nsID& iid, void** result) override {
    if (!result) return kNullPointer;
    *result = nullptr;
    nsIFactory* factory = nullptr;
    nsresult rv = GetClassObject(cid, nsIFactory::kIID, reinterpret_cast<void**>(&factory));
    if (Failed(rv) || !factory) return Failed(rv) ? rv : kFailure;
    rv = factory->CreateInstance(outer, iid, result);
    factory->Release();
    return rv;
  }
  GECKO_METHOD CreateInstanceByContractID(const char* contractId, nsISupports* outer, const nsID& iid,
                                          void** result) override {
    if (!result || !contractId) return kNullPointer;
    *result = nullptr;
    auto found = contracts_.find(contractId);
    return found == contracts_.end() ? kFactoryNotRegistered : CreateInstance(found->second, outer, iid, result);
  }

  // nsIComponentRegistrar
  GECKO_METHOD AutoRegister(nsIFile*) override { return kNotImplemented; }
  GECKO_METHOD AutoUnregister(nsIFile*) override { return kNotImplemented; }
  GECKO_METHOD RegisterFactory(const nsID&, const char*, const char*, nsIFactory*) override {
    return kNotImplemented;
  }
  GECKO_METHOD UnregisterFactory(const nsID&, nsIFactory*) override { return kNotImplemented; }
  GECKO_METHOD RegisterFactoryLocation(const nsID& cid, const char*, const char* contractId, nsIFile*,
                                       const char*, const char*) override {
    // The library whose module is registering serves the class.
    if (!registering_) return kFailure;
    classes_[cid] = registering_;
    if (contractId && *contractId) contracts_[contractId] = cid;
    return kOk;
  }
  GECKO_METHOD UnregisterFactoryLocation(const nsID& cid, nsIFile*) override {
    classes_.erase(cid);
    for (auto it = contracts_.begin(); it != contracts_.end();)
      it = SameId(it->second, cid) ? contracts_.erase(it) : std::next(it);
    return kOk;
  }
  GECKO_METHOD IsCIDRegistered(const nsID& cid, PRBool* result) override {
    if (!result) return kNullPointer;
    *result = classes_.count(cid) ? kTrue : kFalse;
    return kOk;
  }
  GECKO_METHOD IsContractIDRegistered(const char* contractId, PRBool* result) override {
    if (!result || !contractId) return kNullPointer;
    *result = contracts_.count(contractId) ? kTrue : kFalse;
    return kOk;
  }
  GECKO_METHOD EnumerateCIDs(nsISimpleEnumerator**) override { return kNotImplemented; }
  GECKO_METHOD EnumerateContractIDs(nsISimpleEnumerator**) override { return kNotImplemented; }
  GECKO_METHOD CIDToContractID(const nsID& cid, char** result) override {
    if (!result) return kNullPointer;
    *result = nullptr;
    for (const auto& [contract, registered] : contracts_)
      if (SameId(registered, cid)) return (*result = CopyForCaller(contract)) ? kOk : kOutOfMemory;
    return kFactoryNotRegistered;
  }
  GECKO_METHOD ContractIDToCID(const char* contractId, nsID** result) override {
    if (!result || !contractId) return kNullPointer;
    *result = nullptr;
    auto found = contracts_.find(contractId);
    if (found == contracts_.end()) return kFactoryNotRegistered;
    *result = static_cast<nsID*>(Alloc(sizeof(nsID)));
    if (!*result) return kOutOfMemory;
    **result = found->second;
    return kOk;
  }

  // nsIServiceManager: the category manager is the one service here.
  GECKO_METHOD GetService(const nsID&, const nsID&, void** result) override {
    if (result) *result = nullptr;
    return kFactoryNotRegistered;
  }
  GECKO_METHOD GetServiceByContractID(const char* contractId, const nsID& iid, void** result) override {
    if (!result) return kNullPointer;
    *result = nullptr;
    if (contractId && strcmp(contractId, kCategoryManagerContractId) == 0) return QueryInterface(iid, result);
    return kFactoryNotRegistered;
  }
  GECKO_METHOD IsServiceInstantiated(const nsID&, const nsID&, PRBool* result) override {
    if (!result) return kNullPointer;
    *result = kFalse;
    return kOk;
  }
  GECKO_METHOD IsServiceInstantiatedByContractID(const char* contractId, const nsID&, PRBool* result) override {
    if (!result) return kNullPointer;
    *result = contractId && strcmp(contractId, kCategoryManagerContractId) == 0 ? kTrue : kFalse;
    return kOk;
  }

  // nsICategoryManager
  GECKO_METHOD GetCategoryEntry(const char* category, const char* entry, char** result) override {
    if (!category || !entry || !result) return kNullPointer;
    *result = nullptr;
    auto found = categories_.find(Key(category, entry));
    if (found == categories_.end()) return kNotAvailable;
    *result = CopyForCaller(found->second);
    return *result ? kOk : kOutOfMemory;
  }
  GECKO_METHOD AddCategoryEntry(const char* category, const char* entry, const char* value, PRBool,
                                PRBool replace, char** result) override {
    if (!category || !entry || !value) return kNullPointer;
    if (result) *result = nullptr;
    auto found = categories_.find(Key(category, entry));
    if (found != categories_.end()) {
      if (result) *result = CopyForCaller(found->second);
      if (!replace) return kFailure;
    }
    categories_[Key(category, entry)] = value;
    return kOk;
  }
  GECKO_METHOD DeleteCategoryEntry(const char* category, const char* entry, PRBool) override {
    if (!category || !entry) return kNullPointer;
    categories_.erase(Key(category, entry));
    return kOk;
  }
  GECKO_METHOD DeleteCategory(const char* category) override {
    if (!category) return kNullPointer;
    const std::string prefix = std::string(category) + "\n";
    for (auto it = categories_.begin(); it != categories_.end();)
      it = it->first.compare(0, prefix.size(), prefix) == 0 ? categories_.erase(it) : std::next(it);
    return kOk;
  }
  GECKO_METHOD EnumerateCategory(const char*, nsISimpleEnumerator**) override { return kNotImplemented; }
  GECKO_METHOD EnumerateCategories(nsISimpleEnumerator**) override { return kNotImplemented; }

  // Loads a component library, takes its module through NSGetModule and
  // lets it register itself, as the browser does at start-up.
  nsresult LoadLibraryModule(const wchar_t* path) {
    HMODULE library = LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library) return kFailure;
    auto getModule = reinterpret_cast<GetModuleFunction>(GetProcAddress(library, "NSGetModule"));
    nsIModule* module = nullptr;
    nsresult rv = getModule ? getModule(this, nullptr, &module) : kFailure;
    if (!Failed(rv) && module) {
      registering_ = module;
      rv = module->RegisterSelf(this, nullptr, "", "");
      registering_ = nullptr;
    }
    if (Failed(rv) || !module) {
      if (module) module->Release();
      FreeLibrary(library);
      return Failed(rv) ? rv : kFailure;
    }
    modules_.push_back({library, module});
    return kOk;
  }

  // Forgets every class; frees the libraries whose module says it can go.
  int UnloadLibraries() {
    classes_.clear();
    contracts_.clear();
    int unloaded = 0;
    while (!modules_.empty()) {
      Loaded loaded = modules_.back();
      modules_.pop_back();
      PRBool canUnload = kFalse;
      loaded.module->CanUnload(this, &canUnload);
      loaded.module->Release();
      if (canUnload) {
        FreeLibrary(loaded.library);
        ++unloaded;
      }
    }
    return unloaded;
  }

 private:
  static std::string Key(const char* category, const char* entry) { return std::string(category) + "\n" + entry; }

  struct Loaded {
    HMODULE library;
    nsIModule* module;  // one reference
  };
  std::map<nsID, nsIModule*, IdLess> classes_;
  std::map<std::string, nsID> contracts_;
  std::map<std::string, std::string> categories_;
  std::vector<Loaded> modules_;
  nsIModule* registering_ = nullptr;
};

Registries& TheRegistries() {
  static Registries registries;
  return registries;
}

nsresult GECKO_CALL GetServiceManager(nsIServiceManager** result) {
  if (!result) return kNullPointer;
  *result = &TheRegistries();
  return kOk;
}
nsresult GECKO_CALL GetComponentManager(nsIComponentManager** result) {
  if (!result) return kNullPointer;
  *result = &TheRegistries();
  return kOk;
}
nsresult GECKO_CALL GetComponentRegistrar(nsIComponentRegistrar** result) {
  if (!result) return kNullPointer;
  *result = &TheRegistries();
  return kOk;
}

FrozenFunctions MakeTable() {
  FrozenFunctions table;
  const size_t start = offsetof(FrozenFunctions, init);
  const std::vector<AnyFunction> missing((sizeof(FrozenFunctions) - start) / sizeof(AnyFunction), Missing());
  memcpy(reinterpret_cast<char*>(&table) + start, missing.data(), missing.size() * sizeof(AnyFunction));
  table.version = kFrozenFunctionsVersion;
  table.size = sizeof(FrozenFunctions);
  table.getServiceManager = GetServiceManager;
  table.getComponentManager = GetComponentManager;
  table.getComponentRegistrar = GetComponentRegistrar;
  table.stringContainerInit = StringContainerInit;
  table.stringContainerFinish = StringContainerFinish;
  table.stringGetData = StringGetData;
  table.stringSetData = StringSetData;
  table.allocFunc = Alloc;
  table.reallocFunc = Realloc;
  table.freeFunc = Free;
  return table;
}

}  // namespace

extern "C" {

// Fills as much of the caller's table after version and size as it has
// room for; a table of another version is refused.
__declspec(dllexport) nsresult GECKO_CALL NS_GetFrozenFunctions(FrozenFunctions* functions, const char*) {
  if (!functions) return kNullPointer;
  if (functions->version != kFrozenFunctionsVersion || functions->size < offsetof(FrozenFunctions, init))
    return kFailure;
  static const FrozenFunctions table = MakeTable();
  const size_t room = functions->size < sizeof(FrozenFunctions) ? functions->size : sizeof(FrozenFunctions);
  const size_t start = offsetof(FrozenFunctions, init);
  memcpy(reinterpret_cast<char*>(functions) + start, reinterpret_cast<const char*>(&table) + start,
         (room - start) / sizeof(AnyFunction) * sizeof(AnyFunction));
  return kOk;
}

__declspec(dllexport) nsresult GECKO_CALL NS_GetServiceManager(nsIServiceManager** result) {
  return GetServiceManager(result);
}
__declspec(dllexport) nsresult GECKO_CALL NS_GetComponentManager(nsIComponentManager** result) {
  return GetComponentManager(result);
}
__declspec(dllexport) nsresult GECKO_CALL NS_GetComponentRegistrar(nsIComponentRegistrar** result) {
  return GetComponentRegistrar(result);
}
__declspec(dllexport) nsresult GECKO_CALL NS_StringContainerInit(nsStringContainer& container) {
  return StringContainerInit(container);
}
__declspec(dllexport) void GECKO_CALL NS_StringContainerFinish(nsStringContainer& container) {
  StringContainerFinish(container);
}
__declspec(dllexport) uint32_t GECKO_CALL NS_StringGetData(const nsAString& text, const PRUnichar** data,
                                                           PRBool* terminated) {
  return StringGetData(text, data, terminated);
}
__declspec(dllexport) nsresult GECKO_CALL NS_StringSetData(nsAString& text, const PRUnichar* data,
                                                           uint32_t length) {
  return StringSetData(text, data, length);
}
__declspec(dllexport) void* GECKO_CALL NS_Alloc(size_t size) { return Alloc(size); }
__declspec(dllexport) void GECKO_CALL NS_Free(void* block) { Free(block); }

__declspec(dllexport) nsresult GECKO_CALL NS_HostLoadComponentLibrary(const wchar_t* path) {
  return TheRegistries().LoadLibraryModule(path);
}
__declspec(dllexport) int GECKO_CALL NS_HostUnloadLibraries() { return TheRegistries().UnloadLibraries(); }

}  // extern "C"
