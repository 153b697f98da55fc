// Quenlo: the extensions manager.
#include <windows.h>

#include "extmanager/app/QuenloApp.h"
#include "shared/DeliverableConfig.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  DeliverableConfig config;
  config.appProfile = L"Quenlo";
  config.readIntFailureValue = -1;
  SetDeliverableConfig(config);
  CquenloApp app;
  app.InitInstance(GetCommandLineW());
  return 0;
}
