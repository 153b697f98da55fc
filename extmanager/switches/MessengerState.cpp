#include "extmanager/switches/MessengerState.h"

#include "extmanager/app/QuenloLog.h"
#include "extmanager/probes/HostKey.h"
#include "extmanager/probes/SystemSeams.h"
#include "extmanager/switches/ExceptSW.h"
#include "platform/win/UniqueHandle.h"
#include "shared/ProductRegistry.h"
#include "shared/RegistryKey.h"

std::optional<int> ReadMessengerState(const wchar_t* valueName) {
  CRegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, kMessengersKey, KEY_READ)) return std::nullopt;
  DWORD type = 0, data = 0, size = sizeof(data);
  if (RegQueryValueExW(key.Key(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS)
    return std::nullopt;
  if ((type != REG_DWORD && type != REG_BINARY) || size == 0 || size > 4) return std::nullopt;
  // Earlier versions stored a state of -1 as 0xFFFFFFFF: any non-zero is on.
  return data != 0 ? 1 : 0;
}

LONG WriteMessengerState(const wchar_t* valueName, bool on, const wchar_t** step) {
  HostKey key(HKEY_CURRENT_USER, kMessengersKey);
  if (step) *step = L"create";
  LONG result = key.Create();
  if (result != ERROR_SUCCESS) return result;
  if (step) *step = L"set";
  const auto& refuse = Seams().refuseRegistry;
  if (refuse && refuse(L"set " + key.Display() + L"\\" + valueName)) return ERROR_ACCESS_DENIED;
  DWORD data = on ? 1 : 0;
  platform::UniqueRegistryKey open;
  result = RegOpenKeyExW(HKEY_CURRENT_USER, kMessengersKey, 0, KEY_SET_VALUE, open.Receive());
  if (result != ERROR_SUCCESS) return result;
  return RegSetValueExW(open.Get(), valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

std::wstring CompanionFolder(const char* logUnit, const wchar_t* messenger, const wchar_t* valueName) {
  CRegistryKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, kProductFoldersKey, KEY_READ)) {
    QuenloLog::Instance().Log(logUnit, __LINE__, L"%s#%s#%s", messenger, L"REGISTRY",
                              L"Error open HKEY_LOCAL_MACHINE");
    throw CExceptSW(L"Folders", messenger, CExceptSW::kNoRights);
  }
  std::wstring folder = key.ReadStringValue(valueName, L"");
  if (folder.empty()) {
    QuenloLog::Instance().Log(logUnit, __LINE__, L"%s#%s#%s", messenger, L"REGISTRY", L"Error read plugin folder");
    throw CExceptSW(valueName, messenger, CExceptSW::kNoRights);
  }
  return folder;
}
