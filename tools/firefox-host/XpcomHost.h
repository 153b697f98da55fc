#pragma once
// The browser's side of loading a component library: the XPCOM library
// ("xpcom.dll" beside the program, started through the glue), the
// component library loaded and registered through its NSGetModule, and
// objects created by contract identifier.
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
  HostLoadComponentLibraryProc load_ = nullptr;
  HostCreateInstanceProc create_ = nullptr;
  HostUnloadLibrariesProc unload_ = nullptr;
};
