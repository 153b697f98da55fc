#include "platform/com/ServerRegistration.h"

#include <objbase.h>
#include <oleauto.h>

#include <utility>

#include "platform/base/Handles.h"
#include "platform/com/ComPtr.h"

namespace platform {

namespace {

LSTATUS CreateKey(HKEY parent, const std::wstring& path, UniqueRegistryKey& key) {
  return RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_READ, nullptr, key.Receive(), nullptr);
}

HRESULT FromStatus(LSTATUS status) { return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status); }

// Writes path (created when missing) with a string value; name null is the default value.
HRESULT WriteString(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  UniqueRegistryKey key;
  LSTATUS status = CreateKey(HKEY_CLASSES_ROOT, path, key);
  if (status != ERROR_SUCCESS) return FromStatus(status);
  return FromStatus(RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))));
}

HRESULT CreateEmptyKey(const std::wstring& path) {
  UniqueRegistryKey key;
  return FromStatus(CreateKey(HKEY_CLASSES_ROOT, path, key));
}

HRESULT DeleteTree(const std::wstring& path) {
  if (path.empty()) return E_INVALIDARG;  // never the whole root
  LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
  if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND) return S_OK;
  return FromStatus(status);
}

// Runs the steps in order and answers the first failure.
template <class... Steps>
HRESULT FirstFailure(Steps&&... steps) {
  HRESULT hr = S_OK;
  ((SUCCEEDED(hr) ? (hr = steps(), 0) : 0), ...);
  return hr;
}

HRESULT LoadModuleTypeLib(const std::wstring& modulePath, ComPtr<ITypeLib>* lib) {
  return LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, lib->Receive());
}

}  // namespace

std::wstring GuidString(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

HRESULT RegisterComClass(const ClassRegistration& e) {
  if (e.server.empty()) return E_INVALIDARG;
  const std::wstring clsid = GuidString(e.clsid);
  const std::wstring classKey = L"CLSID\\" + clsid;
  HRESULT hr = WriteString(classKey, nullptr, e.description);
  if (SUCCEEDED(hr) && !e.progId.empty()) hr = WriteString(classKey + L"\\ProgID", nullptr, e.progId);
  if (SUCCEEDED(hr) && !e.versionIndependentProgId.empty())
    hr = WriteString(classKey + L"\\VersionIndependentProgID", nullptr, e.versionIndependentProgId);
  if (SUCCEEDED(hr) && e.programmable) hr = CreateEmptyKey(classKey + L"\\Programmable");
  if (SUCCEEDED(hr)) {
    const std::wstring serverKey =
        classKey + (e.kind == ServerKind::LocalServer ? L"\\LocalServer32" : L"\\InprocServer32");
    hr = WriteString(serverKey, nullptr, e.server);
    if (SUCCEEDED(hr) && e.kind == ServerKind::InprocServer && !e.threadingModel.empty())
      hr = WriteString(serverKey, L"ThreadingModel", e.threadingModel);
  }
  if (SUCCEEDED(hr) && e.appId) hr = WriteString(classKey, L"AppID", GuidString(*e.appId));
  if (SUCCEEDED(hr) && e.typeLib) hr = WriteString(classKey + L"\\TypeLib", nullptr, GuidString(*e.typeLib));
  if (SUCCEEDED(hr) && !e.progId.empty()) {
    hr = FirstFailure([&] { return WriteString(e.progId, nullptr, e.description); },
                      [&] { return WriteString(e.progId + L"\\CLSID", nullptr, clsid); });
  }
  if (SUCCEEDED(hr) && !e.versionIndependentProgId.empty()) {
    const std::wstring& vi = e.versionIndependentProgId;
    hr = FirstFailure([&] { return WriteString(vi, nullptr, e.description); },
                      [&] { return WriteString(vi + L"\\CLSID", nullptr, clsid); },
                      [&] { return e.progId.empty() ? S_OK : WriteString(vi + L"\\CurVer", nullptr, e.progId); });
  }
  return hr;
}

HRESULT UnregisterComClass(const ClassRegistration& e) {
  HRESULT hr = DeleteTree(L"CLSID\\" + GuidString(e.clsid));
  if (SUCCEEDED(hr) && !e.progId.empty()) hr = DeleteTree(e.progId);
  if (SUCCEEDED(hr) && !e.versionIndependentProgId.empty()) hr = DeleteTree(e.versionIndependentProgId);
  return hr;
}

HRESULT RegisterAppId(const GUID& appId, const std::wstring& name, const std::wstring& exeName) {
  const std::wstring id = GuidString(appId);
  return FirstFailure([&] { return WriteString(L"AppID\\" + id, nullptr, name); },
                      [&] { return exeName.empty() ? S_OK : WriteString(L"AppID\\" + exeName, L"AppID", id); });
}

HRESULT UnregisterAppId(const GUID& appId, const std::wstring& exeName) {
  return FirstFailure([&] { return DeleteTree(L"AppID\\" + GuidString(appId)); },
                      [&] { return exeName.empty() ? S_OK : DeleteTree(L"AppID\\" + exeName); });
}

HRESULT RegisterModuleTypeLib(const std::wstring& modulePath) {
  ComPtr<ITypeLib> lib;
  HRESULT hr = LoadModuleTypeLib(modulePath, &lib);
  if (FAILED(hr)) return hr;
  std::wstring path = modulePath;
  return RegisterTypeLib(lib.Get(), path.data(), nullptr);
}

HRESULT UnregisterModuleTypeLib(const std::wstring& modulePath) {
  ComPtr<ITypeLib> lib;
  HRESULT hr = LoadModuleTypeLib(modulePath, &lib);
  if (FAILED(hr)) return hr;
  TLIBATTR* attr = nullptr;
  hr = lib->GetLibAttr(&attr);
  if (FAILED(hr)) return hr;
  const TLIBATTR a = *attr;
  lib->ReleaseTLibAttr(attr);
  hr = UnRegisterTypeLib(a.guid, a.wMajorVerNum, a.wMinorVerNum, a.lcid, a.syskind);
  // Already gone is no failure.
  return hr == TYPE_E_REGISTRYACCESS || hr == TYPE_E_LIBNOTREGISTERED ? S_OK : hr;
}

}  // namespace platform
