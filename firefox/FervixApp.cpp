#include "firefox/FervixApp.h"

#include "firefox/FervixResources.h"
#include "platform/base/ModulePath.h"
#include "platform/win/ResourceInstance.h"
#include "platform/xpcom/XpcomGlue.h"
#include "shared/DeliverableConfig.h"
#include "shared/ProductRegistry.h"
#include "shared/ResourceLanguage.h"

CfervixApp& TheApp() {
  static CfervixApp app;
  return app;
}

bool CfervixApp::InitInstance(HMODULE module) {
  module_ = module;
  // The glue looks for the browser's libraries in the current directory.
  const std::wstring folder = platform::ModuleFolder(nullptr);
  if (!folder.empty()) SetCurrentDirectoryW(folder.c_str());
  if (NS_FAILED(XPCOMGlueStartup(nullptr))) return false;

  DeliverableConfig config;
  config.appRegistryKey = kProductAppKey;
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
