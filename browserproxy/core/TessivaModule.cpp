#include "browserproxy/core/TessivaModule.h"

#include "TessivaLib.h"
#include "browserproxy/core/NorvaBrowserClass.h"
#include "browserproxy/core/NorvaIEContextMenuObject.h"
#include "browserproxy/core/WebClassCreator.h"
#include "platform/base/ModulePath.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComApartment.h"
#include "platform/com/LocalServer.h"

namespace tessiva {
namespace {

// {E5CAE181-EA10-4CFD-A4EA-FDB2DF0EF86F}
const GUID kAppId = {0xe5cae181, 0xea10, 0x4cfd, {0xa4, 0xea, 0xfd, 0xb2, 0xdf, 0x0e, 0xf8, 0x6f}};
const wchar_t kAppName[] = L"Tessiva";
const wchar_t kExeName[] = L"Tessiva.EXE";

bool IsTokenAt(const wchar_t* text, const wchar_t* token) {
  size_t n = wcslen(token);
  if (_wcsnicmp(text, token, n) != 0) return false;
  wchar_t next = text[n];
  return next == L'\0' || next == L' ' || next == L'\t' || next == L'-' || next == L'/' || next == L'"';
}

platform::ClassRegistration Entry(const CLSID& clsid, const wchar_t* name, const std::wstring& modulePath) {
  platform::ClassRegistration entry;
  entry.clsid = clsid;
  entry.description = std::wstring(name) + L" Class";
  entry.progId = std::wstring(L"Tessiva.") + name + L".1";
  entry.versionIndependentProgId = std::wstring(L"Tessiva.") + name;
  entry.kind = platform::ServerKind::LocalServer;
  // Quoted: under a path with spaces, Windows would otherwise try the
  // leading words of the path as programs ("C:\\Program.exe").
  entry.server = L"\"" + modulePath + L"\"";
  entry.appId = &kAppId;
  entry.typeLib = &LIBID_TessivaLib;
  entry.programmable = true;
  return entry;
}

}  // namespace

CommandLineAction ParseCommandLine(const wchar_t* arguments) {
  if (!arguments) return CommandLineAction::Serve;
  for (const wchar_t* p = arguments; *p; ++p) {
    if (*p != L'-' && *p != L'/') continue;
    if (IsTokenAt(p + 1, L"RegServer")) return CommandLineAction::Register;
    if (IsTokenAt(p + 1, L"UnregServer")) return CommandLineAction::Unregister;
  }
  return CommandLineAction::Serve;
}

std::vector<platform::ClassRegistration> ClassEntries(const std::wstring& modulePath) {
  return {Entry(CLSID_WebClassCreator, L"WebClassCreator", modulePath),
          Entry(CLSID_NorvaBrowserClass, L"NorvaBrowserClass", modulePath),
          Entry(CLSID_NorvaIEContextMenu, L"NorvaIEContextMenu", modulePath)};
}

HRESULT RegisterServer(const std::wstring& modulePath) {
  HRESULT hr = platform::RegisterAppId(kAppId, kAppName, kExeName);
  if (FAILED(hr)) return hr;
  for (const platform::ClassRegistration& entry : ClassEntries(modulePath)) {
    hr = platform::RegisterComClass(entry);
    if (FAILED(hr)) return hr;
  }
  return platform::RegisterModuleTypeLib(modulePath);
}

HRESULT UnregisterServer(const std::wstring& modulePath) {
  HRESULT result = platform::UnregisterAppId(kAppId, kExeName);
  for (const platform::ClassRegistration& entry : ClassEntries(modulePath)) {
    HRESULT hr = platform::UnregisterComClass(entry);
    if (SUCCEEDED(result)) result = hr;
  }
  HRESULT hr = platform::UnregisterModuleTypeLib(modulePath);
  return SUCCEEDED(result) ? hr : result;
}

HRESULT Serve(DWORD idleMs, DWORD finalPauseMs) {
  // The class objects outlive the run: the entry object goes with its class
  // object after the last calls drained, and with it the browser objects
  // (their settings saved) and the hook library.
  platform::LocalServerClass classes[] = {
      {&CLSID_NorvaBrowserClass, platform::MakeClassFactory<CNorvaBrowserClass>()},
      {&CLSID_WebClassCreator, platform::MakeSingletonClassFactory<CWebClassCreator>()},
      {&CLSID_NorvaIEContextMenu, platform::MakeClassFactory<CNorvaIEContextMenu>()},
  };
  platform::LocalServerTimes times;
  times.idleMs = idleMs;
  times.drainMs = finalPauseMs;
  return platform::RunLocalServer(classes, times);
}

int RunModule(const wchar_t* arguments) {
  platform::ComApartment apartment(COINIT_APARTMENTTHREADED);
  if (!apartment.Ok()) return apartment.Result();
  const std::wstring path = platform::ModulePath(nullptr);
  switch (ParseCommandLine(arguments)) {
    case CommandLineAction::Register: return RegisterServer(path);
    case CommandLineAction::Unregister: return UnregisterServer(path);
    case CommandLineAction::Serve: break;
  }
  return Serve();
}

}  // namespace tessiva
