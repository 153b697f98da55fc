// NrvaKernelServer.exe: the stand-in kernel's local server. "-RegServer"
// and "-UnregServer" ("/" also, any case) register or remove its classes;
// otherwise it serves them until its objects are released.
#include <windows.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "KelVarLib.h"
#include "KernelClasses.h"
#include "platform/com/ClassObjectRegistration.h"
#include "platform/com/ComApartment.h"
#include "platform/com/InprocServer.h"
#include "platform/com/ModuleLock.h"
#include "platform/com/ServerRegistration.h"
#include "platform/com/ShutdownMonitor.h"

namespace {

using namespace kernelstandin;

constexpr DWORD kIdleMs = 2000;

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

std::vector<platform::ClassObjectRegistration> RegisterClassObjects() {
  std::vector<platform::ClassObjectRegistration> registrations;
  for (const KernelClass& c : KernelClasses()) {
    if (!c.outOfProcess) continue;
    platform::ClassObjectRegistration registration;
    if (FAILED(registration.Register(*c.clsid, c.makeFactory().Get(), CLSCTX_LOCAL_SERVER,
                                     REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED)))
      return {};
    registrations.push_back(std::move(registration));
  }
  CoResumeClassObjects();
  return registrations;
}

// Dispatches what is waiting for a while (calls that reached the server just
// before it withdrew its classes).
void DrainCalls(DWORD ms) {
  DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < ms) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

int Serve() {
  platform::ComApartment com;
  if (!com.Ok()) return 1;
  for (;;) {
    std::vector<platform::ClassObjectRegistration> registrations = RegisterClassObjects();
    if (registrations.empty()) return 1;
    bool idleEnd = false;
    {
      platform::ShutdownMonitor monitor(GetCurrentThreadId(), kIdleMs, true);
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      idleEnd = monitor.QuitPosted();
    }
    // Withdraw the classes first, so that new clients start a new server,
    // then serve what arrived meanwhile. After an idle end, a client that
    // got an object meanwhile keeps this server going; a quit from outside
    // (the session ends) ends it even while objects are held, for example
    // by a client that was killed.
    registrations.clear();
    DrainCalls(200);
    if (!idleEnd || platform::ModuleLock::Count() == 0) return 0;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  if (HasSwitch(commandLine, L"UnregServer")) return Register(false);
  if (HasSwitch(commandLine, L"RegServer")) return Register(true);
  return Serve();
}
