#include "XpcomHost.h"

#include "platform/base/ModulePath.h"

#include "platform/xpcom/nsIServiceManager.h"

XpcomHost::~XpcomHost() = default;

std::wstring XpcomHost::ProgramFolder() { return platform::ModuleFolder(nullptr); }

nsresult XpcomHost::Start() {
  std::wstring path = ProgramFolder() + L"xpcom.dll";
  std::string narrow(path.begin(), path.end());
  nsresult rv = XPCOMGlueStartup(narrow.c_str());
  if (NS_FAILED(rv)) return rv;
  // Already loaded by the glue: the handle only reaches the host's exports.
  xpcom_ = GetModuleHandleW(path.c_str());
  if (!xpcom_) return NS_ERROR_FAILURE;
  load_ = reinterpret_cast<HostLoadComponentLibraryProc>(GetProcAddress(xpcom_, "NS_HostLoadComponentLibrary"));
  create_ = reinterpret_cast<HostCreateInstanceProc>(GetProcAddress(xpcom_, "NS_HostCreateInstance"));
  unload_ = reinterpret_cast<HostUnloadLibrariesProc>(GetProcAddress(xpcom_, "NS_HostUnloadLibraries"));
  return load_ && create_ && unload_ ? NS_OK : NS_ERROR_FAILURE;
}

nsresult XpcomHost::LoadComponentLibrary(const std::wstring& path) {
  return load_ ? load_(path.c_str()) : NS_ERROR_NOT_AVAILABLE;
}

nsresult XpcomHost::CreateInstance(const char* contractId, const nsIID& iid, void** result) {
  if (result) *result = nullptr;
  return create_ ? create_(contractId, iid, result) : NS_ERROR_NOT_AVAILABLE;
}

std::string XpcomHost::CategoryEntry(const char* category, const char* entry) {
  platform::ComPtr<nsIServiceManager> services;
  if (NS_FAILED(NS_GetServiceManager(services.Receive())) || !services) return {};
  platform::ComPtr<nsICategoryManager> categories;
  if (NS_FAILED(services->GetServiceByContractID(kCategoryManagerContractId, __uuidof(nsICategoryManager),
                                                  categories.ReceiveVoid())))
    return {};
  char* value = nullptr;
  if (NS_FAILED(categories->GetCategoryEntry(category, entry, &value)) || !value) return {};
  std::string result(value);
  CoTaskMemFree(value);
  return result;
}

int XpcomHost::UnloadLibraries() { return unload_ ? unload_() : 0; }
