#include "module/OmbrelApp.h"

#include <commctrl.h>

#include <mutex>
#include <vector>

#include "platform/base/ModulePath.h"
#include "platform/win/ResourceInstance.h"
#include "res/OmbrelResource.h"
#include "shared/DeliverableConfig.h"
#include "shared/ProductRegistry.h"
#include "shared/ResourceLanguage.h"

namespace ombrel {

void COmbrelApp::InitInstance(HINSTANCE module) {
  DeliverableConfig config;
  config.appRegistryKey = kProductAppKey;
  config.appProfile = L"AOT";
  config.module = module;
  SetDeliverableConfig(std::move(config));
  // Without a library of the interface language the module's own (Russian)
  // resources serve.
  LoadResourceLanguageDll();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}

void COmbrelApp::EnsureStarted() {
  static std::once_flag started;
  std::call_once(started, [] { InitInstance(platform::ModuleInstance()); });
}

std::wstring COmbrelApp::Name() { return platform::LoadResourceString(IDS_APP_NAME); }

void COmbrelApp::ShowHelp(HWND owner) {
  std::wstring help = platform::ModulePath(platform::ModuleInstance());
  size_t dot = help.find_last_of(L'.');
  if (dot == std::wstring::npos) return;
  help = help.substr(0, dot) + L".chm";
  if (GetFileAttributesW(help.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  static HMODULE library = LoadLibraryW(L"hhctrl.ocx");
  if (!library) return;
  auto htmlHelp = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpW")));
  constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC
  if (htmlHelp) htmlHelp(owner, help.c_str(), kDisplayTopic, 0);
}

int COmbrelApp::GetProfileInt(const wchar_t* name, int defaultValue) {
  DWORD value = 0, size = sizeof(value), type = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_DWORD, &type, &value, &size) != ERROR_SUCCESS)
    return defaultValue;
  return static_cast<int>(value);
}

std::wstring COmbrelApp::GetProfileString(const wchar_t* name, const wchar_t* defaultValue) {
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return defaultValue;
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1);
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, buffer.data(), &size) !=
      ERROR_SUCCESS)
    return defaultValue;
  return buffer.data();
}

bool COmbrelApp::WriteProfileInt(const wchar_t* name, int value) {
  DWORD number = static_cast<DWORD>(value);
  return RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name, REG_DWORD, &number, sizeof(number)) == ERROR_SUCCESS;
}

bool COmbrelApp::WriteProfileString(const wchar_t* name, const std::wstring& value) {
  return RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name, REG_SZ, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace ombrel
