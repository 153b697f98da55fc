#include "XpcomHost.h"

#include "platform/base/ModulePath.h"

namespace {

template <class Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(GetProcAddress(module, name));
}

}  // namespace

XpcomHost::~XpcomHost() = default;

std::wstring XpcomHost::ProgramFolder() { return platform::ModuleFolder(nullptr); }

nsresult XpcomHost::Start() {
  std::wstring path = ProgramFolder() + L"xpcom.dll";
  std::string narrow(path.begin(), path.end());
  nsresult rv = XPCOMGlueStartup(narrow.c_str());
  if (NS_FAILED(rv)) return rv;
  // Already loaded by the glue: the handle only reaches its exports.
  xpcom_ = GetModuleHandleW(path.c_str());
  if (!xpcom_) return NS_ERROR_FAILURE;
  load_ = Export<gecko::HostLoadComponentLibraryExport>(xpcom_, "NS_HostLoadComponentLibrary");
  unload_ = Export<gecko::HostUnloadLibrariesExport>(xpcom_, "NS_HostUnloadLibraries");
  services_ = Export<gecko::GetServiceManagerExport>(xpcom_, "NS_GetServiceManager");
  components_ = Export<gecko::GetComponentManagerExport>(xpcom_, "NS_GetComponentManager");
  free_ = Export<gecko::FreeExport>(xpcom_, "NS_Free");
  return load_ && unload_ && services_ && components_ && free_ ? NS_OK : NS_ERROR_FAILURE;
}

nsresult XpcomHost::LoadComponentLibrary(const std::wstring& path) {
  return load_ ? load_(path.c_str()) : NS_ERROR_NOT_AVAILABLE;
}

nsresult XpcomHost::CreateInstance(const char* contractId, const nsIID& iid, void** result) {
  if (result) *result = nullptr;
  platform::ComPtr<gecko::nsIComponentManager> manager;
  if (!components_ || gecko::Failed(components_(manager.Receive())) || !manager) return NS_ERROR_NOT_AVAILABLE;
  return manager->CreateInstanceByContractID(contractId, nullptr, iid, result);
}

std::string XpcomHost::CategoryEntry(const char* category, const char* entry) {
  platform::ComPtr<gecko::nsIServiceManager> services;
  if (!services_ || gecko::Failed(services_(services.Receive())) || !services) return {};
  platform::ComPtr<gecko::nsICategoryManager> categories;
  if (gecko::Failed(services->GetServiceByContractID(gecko::kCategoryManagerContractId,
                                                     gecko::nsICategoryManager::kIID, categories.ReceiveVoid())))
    return {};
  char* value = nullptr;
  if (gecko::Failed(categories->GetCategoryEntry(category, entry, &value)) || !value) return {};
  std::string result(value);
  free_(value);
  return result;
}

int XpcomHost::UnloadLibraries() { return unload_ ? unload_() : 0; }
