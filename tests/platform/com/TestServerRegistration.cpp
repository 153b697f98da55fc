#include "TestServerRegistration.h"

#include <string>

#include "PlatformComTest.h"
#include "platform/com/InprocServer.h"

using namespace platform;

// {01B5B5E3-445D-47A8-9830-F0D4BA409A07}
const GUID testServerAppId = {0x01b5b5e3, 0x445d, 0x47a8, {0x98, 0x30, 0xf0, 0xd4, 0xba, 0x40, 0x9a, 0x07}};

ClassRegistration TestServerClass(const CLSID& clsid, const wchar_t* name, const std::wstring& command) {
  ClassRegistration entry;
  entry.clsid = clsid;
  entry.description = std::wstring(name) + L" Class";
  entry.progId = std::wstring(L"PlatformComTest.") + name + L".1";
  entry.versionIndependentProgId = std::wstring(L"PlatformComTest.") + name;
  entry.kind = ServerKind::LocalServer;
  entry.server = command;
  entry.appId = &testServerAppId;
  entry.typeLib = &LIBID_PlatformComTestLib;
  entry.programmable = true;
  return entry;
}

namespace {

const wchar_t exeName[] = L"platform_com_test_server.exe";

}  // namespace

HRESULT RegisterTestServer(DWORD idleMs) {
  const std::wstring path = ModulePath(CurrentModule());
  const std::wstring command = L"\"" + path + L"\" /idle:" + std::to_wstring(idleMs);
  HRESULT hr = RegisterAppId(testServerAppId, L"platform_com_test_server", exeName);
  if (SUCCEEDED(hr)) hr = RegisterComClass(TestServerClass(CLSID_TestLocalObject, L"TestLocalObject", command));
  if (SUCCEEDED(hr)) hr = RegisterComClass(TestServerClass(CLSID_TestSingleton, L"TestSingleton", command));
  if (SUCCEEDED(hr)) hr = RegisterComClass(TestServerClass(CLSID_TestSingleUse, L"TestSingleUse", command));
  if (SUCCEEDED(hr)) hr = RegisterModuleTypeLib(path);
  return hr;
}

HRESULT UnregisterTestServer() {
  const std::wstring path = ModulePath(CurrentModule());
  HRESULT hr = UnregisterComClass(TestServerClass(CLSID_TestLocalObject, L"TestLocalObject", path));
  if (SUCCEEDED(hr)) hr = UnregisterComClass(TestServerClass(CLSID_TestSingleton, L"TestSingleton", path));
  if (SUCCEEDED(hr)) hr = UnregisterComClass(TestServerClass(CLSID_TestSingleUse, L"TestSingleUse", path));
  if (SUCCEEDED(hr)) hr = UnregisterAppId(testServerAppId, exeName);
  if (SUCCEEDED(hr)) hr = UnregisterModuleTypeLib(path);
  return hr;
}
