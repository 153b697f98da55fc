#pragma once
#include <windows.h>

#include <string>

namespace platform {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
std::wstring GuidString(const GUID& guid);

enum class ServerKind { LocalServer, InprocServer };

// The registry entries of one COM class, written under HKEY_CLASSES_ROOT:
//   CLSID\{clsid} = description, with ProgID, VersionIndependentProgID,
//     LocalServer32 or InprocServer32 (+ ThreadingModel) = server,
//     Programmable, AppID and TypeLib when given;
//   <progId> = description, CLSID = {clsid};
//   <versionIndependentProgId> = description, CLSID = {clsid}, CurVer = <progId>.
// Empty strings and null identifiers leave their entries out.
struct ClassRegistration {
  CLSID clsid{};
  std::wstring description;
  std::wstring progId;
  std::wstring versionIndependentProgId;
  ServerKind kind = ServerKind::LocalServer;
  std::wstring server;          // the server's command line or the DLL's path
  std::wstring threadingModel;  // in-process servers: "Apartment", "Both", ...
  const GUID* appId = nullptr;
  const GUID* typeLib = nullptr;
  bool programmable = false;
};

// Both answer the first failing HRESULT. Unregistering removes CLSID\{clsid}
// and the ProgID keys with everything below them; what is already gone is
// no failure. The "CLSID" key itself is never removed.
HRESULT RegisterComClass(const ClassRegistration& entry);
HRESULT UnregisterComClass(const ClassRegistration& entry);

// An application identifier: AppID\{appId} = name, and AppID\<exeName> with
// the value AppID = {appId}. Unregistering removes those two keys only.
HRESULT RegisterAppId(const GUID& appId, const std::wstring& name, const std::wstring& exeName);
HRESULT UnregisterAppId(const GUID& appId, const std::wstring& exeName);

// The type library embedded in a module (its first TYPELIB resource, or the
// resource named by "path\N"), registered or unregistered with its
// interfaces (RegisterTypeLib / UnRegisterTypeLib).
HRESULT RegisterModuleTypeLib(const std::wstring& modulePath);
HRESULT UnregisterModuleTypeLib(const std::wstring& modulePath);

}  // namespace platform
