#include "extmanager/app/QuenloApp.h"

#include <commctrl.h>
#include <objbase.h>

#include "extmanager/app/KindTable.h"
#include "extmanager/app/QuenloDlg.h"
#include "extmanager/app/QuenloLog.h"
#include "shared/DeliverableConfig.h"
#include "shared/ResourceLanguage.h"

UINT PluginSwitchedMessage() {
  static const UINT message = RegisterWindowMessageW(L"PLUGINSWITCHED");
  return message;
}

namespace {

constexpr char kLogUnit[] = "QuenloApp.cpp";
// Registered at start, as the plug-ins that listen expect.
const UINT g_registeredAtStart = PluginSwitchedMessage();

class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (ok_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};
}  // namespace

int CquenloApp::ParseKindCode(const std::wstring& code) { return ::ParseKindCode(code); }

std::vector<SilentRunResult> CquenloApp::RunSilent(int bits, int value, bool all) {
  std::vector<std::unique_ptr<CSwitch>> kept;
  for (const KindRow* row : RowsForSilentRun(bits, all)) {
    std::unique_ptr<CSwitch> sw = row->make();
    if (sw && sw->IsPluginInstalled() && sw->IsAppInstalled() > 0) kept.push_back(std::move(sw));
  }
  std::vector<SilentRunResult> results;
  for (auto& sw : kept) {
    SwitchItems items;
    sw->GetItems(items);
    for (SwitchItem& item : items) item.enabled = value;
    sw->ApplyItems(items, true);
    // The log shows each item as it really ended, also those a failure left alone.
    for (const SwitchItem& item : items)
      QUENLO_LOG(L"%s#%s#%s#%i", sw->Name().c_str(), L"SILENT", item.name.c_str(), item.enabled);
    results.push_back({sw->Name(), items});
  }
  return results;
}

void CquenloApp::RunOpenOffice(int value) {
  for (const KindRow& row : KindTable()) {
    if (row.bit != 0x400 || !row.make) continue;
    std::unique_ptr<CSwitch> sw = row.make();
    if (!sw->IsPluginInstalled() || sw->IsAppInstalled() <= 0) return;
    SwitchItems items;
    sw->GetItems(items);
    if (items.empty()) return;
    items[0].enabled = value;
    items[0].option = 333;
    // An installer runs this: no message box may wait for a user.
    sw->ApplyItems(items, true);
    return;
  }
}

BOOL CquenloApp::InitInstance(const std::wstring& commandLine) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
  InitCommonControlsEx(&controls);
  LoadResourceLanguageDll();

  QuenloLog& log = QuenloLog::Instance();
  log.ComputeLogPath();
  LaunchPlan plan = PlanLaunch(commandLine);
  log.SetEnabled(plan.logging);
  if (plan.logging) log.Reset();

  switch (plan.mode) {
    case LaunchPlan::Mode::SilentAll: {
      ComScope com;
      RunSilent(0, plan.value, true);
      return FALSE;
    }
    case LaunchPlan::Mode::OpenOffice:
      RunOpenOffice(plan.value);
      return FALSE;
    case LaunchPlan::Mode::SilentKinds: {
      ComScope com;
      RunSilent(plan.bits, plan.value, false);
      return FALSE;
    }
    case LaunchPlan::Mode::Nothing:
      return FALSE;
    case LaunchPlan::Mode::Dialog:
      break;
  }
  DeliverableConfig config = GetDeliverableConfig();
  config.appRegistryKey = L"Local AppWizard-Generated Applications";
  SetDeliverableConfig(config);
  CquenloDlg dialog;
  dialog.DoModal(nullptr);
  return FALSE;
}
