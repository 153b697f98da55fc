// NrvaKernelServer.exe: the stand-in kernel's local server. "-RegServer"
// and "-UnregServer" ("/" also, any case) register or remove its classes;
// otherwise it serves them until its objects are released.
#include <windows.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "KelVarLib.h"
#include "KernelClasses.h"
#include "platform/com/ComApartment.h"
#include "platform/com/InprocServer.h"
#include "platform/com/LocalServer.h"
#include "platform/com/ServerRegistration.h"

namespace {

using namespace kernelstandin;

constexpr DWORD kIdleMs = 2000;
constexpr DWORD kDrainMs = 600;

bool HasSwitch(const wchar_t* commandLine, const wchar_t* name) {
  std::wstring line(commandLine ? commandLine : L"");
  CharLowerBuffW(line.data(), static_cast<DWORD>(line.size()));
  std::wstring lower(name);
  CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
  return line.find(L"-" + lower) != std::wstring::npos || line.find(L"/" + lower) != std::wstring::npos;
}

int Register(bool add) {
  platform::ComApartment com;
  const std::wstring exe = platform::ModulePath(nullptr);
  std::wstring exeName = exe.substr(exe.find_last_of(L"\\/") + 1);
  HRESULT hr = add ? platform::RegisterAppId(kKernelAppId, L"Norva kernel server", exeName)
                   : platform::UnregisterAppId(kKernelAppId, exeName);
  for (const KernelClass& c : KernelClasses()) {
    if (!c.outOfProcess || FAILED(hr)) continue;
    hr = add ? platform::RegisterComClass(RegistrationOf(c, exe)) : platform::UnregisterComClass(RegistrationOf(c, exe));
  }
  return SUCCEEDED(hr) ? 0 : 1;
}

int Serve() {
  platform::ComApartment com;
  if (!com.Ok()) return 1;
  std::vector<platform::LocalServerClass> classes;
  for (const KernelClass& c : KernelClasses()) {
    if (c.outOfProcess) classes.push_back({c.clsid, c.makeFactory()});
  }
  platform::LocalServerTimes times;
  times.idleMs = kIdleMs;
  times.drainMs = kDrainMs;
  return SUCCEEDED(platform::RunLocalServer(classes, times)) ? 0 : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  if (HasSwitch(commandLine, L"UnregServer")) return Register(false);
  if (HasSwitch(commandLine, L"RegServer")) return Register(true);
  return Serve();
}
