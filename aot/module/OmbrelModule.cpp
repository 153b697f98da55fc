// OMBREL.dll: the in-process server of the class Norva5TemplateSemiAnalyzer,
// with its type library (TYPELIB 1) and its registry script (REGISTRY 103).
#include <windows.h>

#include <map>
#include <string>

#include "OMBREL.h"
#include "analyzer/Norva5TemplateSemiAnalyzer.h"
#include "module/OmbrelApp.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/InprocServer.h"
#include "platform/com/RegistryScript.h"
#include "platform/com/ServerRegistration.h"
#include "res/OmbrelResource.h"

namespace {

platform::ComPtr<IClassFactory> AnalyzerFactory() {
  return platform::ComPtr<IClassFactory>(platform::MakeComObject<platform::ClassFactory, platform::ModuleLockPolicy::None>(
      platform::ObjectCreator([] { return ombrel::NewTemplateSemiAnalyzer(); })));
}

// The text of the registry script resource (8-bit, as the registrar reads it).
std::wstring RegistryScript() {
  HMODULE module = platform::CurrentModule();
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_NORVA5TEMPLATESEMIANALYZER), L"REGISTRY");
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  DWORD size = SizeofResource(module, found);
  if (!bytes || !size) return {};
  int length = MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(size), nullptr, 0);
  std::wstring text(length > 0 ? length : 0, L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(size), text.data(), length);
  return text;
}

HRESULT RunScript(bool registering) {
  std::wstring script = RegistryScript();
  if (script.empty()) return HRESULT_FROM_WIN32(ERROR_RESOURCE_DATA_NOT_FOUND);
  const std::map<std::wstring, std::wstring> replacements = {
      {L"MODULE", platform::ModulePath(platform::CurrentModule())}};
  return platform::RunRegistryScript(script, replacements, registering);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  // The application object starts with the first export called, not under
  // the loader lock (it loads the interface-language library).
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}

STDAPI DllCanUnloadNow() { return platform::CanUnloadInprocServer(); }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  ombrel::COmbrelApp::EnsureStarted();
  static const platform::InprocClass classes[] = {{&CLSID_Norva5TemplateSemiAnalyzer, &AnalyzerFactory}};
  return platform::GetInprocClassObject(classes, clsid, iid, out);
}

STDAPI DllRegisterServer() {
  ombrel::COmbrelApp::EnsureStarted();
  HRESULT hr = RunScript(true);
  if (SUCCEEDED(hr)) hr = platform::RegisterModuleTypeLib(platform::ModulePath(platform::CurrentModule()));
  return hr;
}

STDAPI DllUnregisterServer() {
  ombrel::COmbrelApp::EnsureStarted();
  HRESULT script = RunScript(false);
  HRESULT typeLib = platform::UnregisterModuleTypeLib(platform::ModulePath(platform::CurrentModule()));
  return FAILED(script) ? script : typeLib;
}
