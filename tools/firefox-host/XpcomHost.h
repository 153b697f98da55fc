#pragma once
// The browser's side of loading a component library: the XPCOM library
// ("xpcom.dll" beside the program), the component library loaded and
// registered through its NSGetModule, and objects created by contract
// identifier through the component manager. The program also plays the
// extension's script, whose strings go through the glue, so start-up
// starts the glue over the same library.
#include <string>

#include "XpcomHostApi.h"
#include "platform/com/ComPtr.h"
#include "platform/xpcom/XpcomGlue.h"

class XpcomHost {
 public:
  XpcomHost() = default;
  ~XpcomHost();
  XpcomHost(const XpcomHost&) = delete;
  XpcomHost& operator=(const XpcomHost&) = delete;

  // Starts the glue over the XPCOM library in the program's folder.
  nsresult Start();
  // Loads and registers a component library (full path).
  nsresult LoadComponentLibrary(const std::wstring& path);
  // An object of the class registered for the contract id, asked for iid.
  nsresult CreateInstance(const char* contractId, const nsIID& iid, void** result);
  template <class T>
  platform::ComPtr<T> Create(const char* contractId, nsresult* rv = nullptr) {
    platform::ComPtr<T> object;
    nsresult result = CreateInstance(contractId, __uuidof(T), object.ReceiveVoid());
    if (rv) *rv = result;
    return object;
  }
  // The value of a category entry; empty when there is none.
  std::string CategoryEntry(const char* category, const char* entry);
  // Forgets the classes and frees the libraries that may go; how many went.
  int UnloadLibraries();

  static std::wstring ProgramFolder();

 private:
  HMODULE xpcom_ = nullptr;
  gecko::HostLoadComponentLibraryExport load_ = nullptr;
  gecko::HostUnloadLibrariesExport unload_ = nullptr;
  gecko::GetServiceManagerExport services_ = nullptr;
  gecko::GetComponentManagerExport components_ = nullptr;
  gecko::FreeExport free_ = nullptr;
};
