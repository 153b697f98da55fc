// Stand-in for the product's Internet Explorer plug-in: an in-process COM
// server that registers and unregisters its class key, as regsvr32 expects.
// It serves no object. Fault switches, files beside the DLL named after it:
//   <name>.fail  registration and unregistration answer E_FAIL;
//   <name>.hang  they wait a minute first (for time-out tests).
#include <windows.h>
#include <objbase.h>
#include <olectl.h>

#include <string>

#include "platform/base/Handles.h"
#include "platform/base/ModulePath.h"

#ifndef IEPLUGIN_CLSID
#error IEPLUGIN_CLSID must name the class identifier in braces
#endif
#define IEPLUGIN_WIDE2(x) L##x
#define IEPLUGIN_WIDE(x) IEPLUGIN_WIDE2(x)

namespace {

HMODULE g_module = nullptr;

std::wstring ModulePath() { return platform::ModulePath(g_module); }

bool SwitchFile(const wchar_t* extension) {
  std::wstring path = ModulePath();
  size_t dot = path.find_last_of(L'.');
  if (dot != std::wstring::npos) path.resize(dot);
  return GetFileAttributesW((path + extension).c_str()) != INVALID_FILE_ATTRIBUTES;
}

HRESULT FaultSwitches() {
  if (SwitchFile(L".hang")) Sleep(60000);
  return SwitchFile(L".fail") ? E_FAIL : S_OK;
}

const std::wstring kClassKey = std::wstring(L"CLSID\\") + IEPLUGIN_WIDE(IEPLUGIN_CLSID);

LONG SetDefault(const std::wstring& key, const std::wstring& value, const wchar_t* name = nullptr) {
  platform::UniqueRegistryKey handle;
  LONG result =
      RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, handle.Receive(), nullptr);
  if (result != ERROR_SUCCESS) return result;
  return RegSetValueExW(handle.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

extern "C" HRESULT WINAPI DllRegisterServer() {
  if (HRESULT hr = FaultSwitches(); FAILED(hr)) return hr;
  if (SetDefault(kClassKey, L"Norva Internet Explorer plug-in (stand-in)") != ERROR_SUCCESS ||
      SetDefault(kClassKey + L"\\InprocServer32", ModulePath()) != ERROR_SUCCESS ||
      SetDefault(kClassKey + L"\\InprocServer32", L"Apartment", L"ThreadingModel") != ERROR_SUCCESS)
    return SELFREG_E_CLASS;
  return S_OK;
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
  if (HRESULT hr = FaultSwitches(); FAILED(hr)) return hr;
  LONG result = RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID, REFIID, void** out) {
  if (out) *out = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return S_OK; }
