// A local COM server for the COM layer's tests. "/RegServer" and
// "/UnregServer" write and remove its classes, application identifier and
// type library; otherwise it serves TestLocalObject (a new object per
// creation), TestSingleton (one object for all) and TestSingleUse (a class
// object that serves one creation, so each creation starts a new server)
// until it has been idle
// for the time given by "/idle:<ms>" (5000 ms by default).
#include <windows.h>

#include <cwchar>
#include <string>

#include "TestCalc.h"
#include "TestServerRegistration.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComApartment.h"
#include "platform/com/LocalServer.h"

using namespace platform;

namespace {

bool HasToken(const std::wstring& line, const wchar_t* token) {
  for (const wchar_t* lead : {L"/", L"-"}) {
    std::wstring wanted = std::wstring(lead) + token;
    for (size_t at = 0; at + wanted.size() <= line.size(); ++at)
      if (_wcsnicmp(line.c_str() + at, wanted.c_str(), wanted.size()) == 0) return true;
  }
  return false;
}

DWORD IdleMs(const std::wstring& line) {
  size_t at = line.find(L"/idle:");
  return at == std::wstring::npos ? 5000 : static_cast<DWORD>(_wtoi(line.c_str() + at + 6));
}

int Serve(DWORD idleMs) {
  LocalServerClass classes[] = {
      {&CLSID_TestLocalObject, MakeClassFactory<TestCalc>()},
      {&CLSID_TestSingleton, MakeSingletonClassFactory<TestCalc>()},
      {&CLSID_TestSingleUse, MakeClassFactory<TestCalc>(), REGCLS_SINGLEUSE},
  };
  LocalServerTimes times;
  times.idleMs = idleMs;
  times.drainMs = 600;
  times.armedAtStart = false;
  return static_cast<int>(RunLocalServer(classes, times));
}

}  // namespace

int wmain() {
  ComApartment apartment;
  if (!apartment.Ok()) return static_cast<int>(apartment.Result());
  const std::wstring line = GetCommandLineW();
  if (HasToken(line, L"UnregServer")) return static_cast<int>(UnregisterTestServer());
  if (HasToken(line, L"RegServer")) return static_cast<int>(RegisterTestServer(IdleMs(line)));
  return Serve(IdleMs(line));
}
