// Tessiva: the out-of-process COM server that browser plug-ins talk to.
#include <windows.h>

#include <memory>
#include <new>
#include <string>

#include "browserproxy/core/ConnectorFactory.h"
#include "browserproxy/core/TessivaModule.h"
#include "browserproxy/kernel/NorvaKernelWrapper.h"
#include "browserproxy/server/ServerConnectorSetup.h"
#include "shared/DeliverableConfig.h"
#include "shared/ResourceLanguage.h"

namespace {

int Run(PWSTR arguments) {
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

}  // namespace

// Nothing raised leaves the program's entry: it ends with an HRESULT as
// its exit code, as a failing registration does.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
  try {
    return Run(arguments);
  } catch (const std::bad_alloc&) {
    return static_cast<int>(E_OUTOFMEMORY);
  } catch (...) {
    return static_cast<int>(E_UNEXPECTED);
  }
}
