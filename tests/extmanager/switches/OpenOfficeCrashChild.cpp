// Switches OpenOffice.org on or off and ends the process hard before a named
// step, as a crash or a power cut would:
//   quenlo_openoffice_crash_child <appData> <mode> <enabled 0|1> <step>
// Exit codes: 77 ended at the step, 0 ran to the end, 2 bad arguments,
// 3 no item.
#include <windows.h>

#include <cwchar>
#include <string>

#include "extmanager/probes/SystemSeams.h"
#include "extmanager/switches/OpenOfficeSwitch.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) return 2;
  Seams().roamingAppData = argv[1];
  std::wstring step = argv[4];
  COpenOfficeSW::SetStepHook([step](const wchar_t* name) {
    if (step == name) TerminateProcess(GetCurrentProcess(), 77);
  });
  COpenOfficeSW sw(L"OpenOffice.org", _wtoi(argv[2]));
  SwitchItems items;
  if (!sw.IsPluginInstalled() || sw.IsAppInstalled() <= 0 || sw.GetItems(items) <= 0) return 3;
  for (SwitchItem& item : items) item.enabled = _wtoi(argv[3]);
  sw.ApplyItems(items, true);
  return 0;
}
