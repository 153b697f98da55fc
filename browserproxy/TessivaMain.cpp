// Tessiva: the out-of-process COM server that browser plug-ins talk to.
#include <windows.h>

#include <memory>
#include <string>

#include "browserproxy/core/ConnectorFactory.h"
#include "browserproxy/core/NorvaKernelWrapper.h"
#include "browserproxy/core/ServerConnectorSetup.h"
#include "browserproxy/core/TessivaModule.h"
#include "shared/DeliverableConfig.h"
#include "shared/ResourceLanguage.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
  SetDeliverableConfig(DeliverableConfig{});
  // Path of the interface-language library, kept for the whole run; the
  // library itself stays loaded until the process ends.
  std::wstring resourceLibrary;
  LoadResourceLanguageDll(&resourceLibrary);
  SetConnectorMaker(kKernelConnector, [](const std::wstring& title) -> std::unique_ptr<INorvaConnector> {
    return std::make_unique<CNorvaKernelWrapper>(title);
  });
  InstallServerConnector();
  return tessiva::RunModule(arguments);
}
