#include "firefox/FervixApp.h"

#include "firefox/FervixResources.h"
#include "platform/win/ResourceInstance.h"
#include "platform/xpcom/XpcomGlue.h"
#include "shared/DeliverableConfig.h"
#include "shared/ResourceLanguage.h"

CfervixApp& TheApp() {
  static CfervixApp app;
  return app;
}

bool CfervixApp::InitInstance(HMODULE module) {
  module_ = module;
  // The glue looks for the browser's libraries in the current directory.
  wchar_t program[261] = {};
  DWORD length = GetModuleFileNameW(nullptr, program, 261);
  std::wstring folder(program, length < 261 ? length : 260);
  size_t slash = folder.find_last_of(L'\\');
  if (slash != std::wstring::npos) {
    folder.erase(slash);
    SetCurrentDirectoryW(folder.c_str());
  }
  if (NS_FAILED(XPCOMGlueStartup(nullptr))) return false;

  DeliverableConfig config;
  config.appRegistryKey = L"Norvasoft\\NRVA9";
  config.appProfile = L"fervix9";
  config.resourceLibraryName = L"fervix9.dll";
  config.module = module;
  SetDeliverableConfig(config);
  LoadResourceLanguageDll(nullptr, L"fervix9");
  name_ = platform::LoadResourceString(IDS_FERVIX_APP_NAME);
  if (name_.empty()) name_ = L"fervix9";

  ReadRunningHandOff();
  return true;
}

bool CfervixApp::ReadRunningHandOff() { return ::ReadRunningHandOff(handOff_); }
