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
#include "platform/com/ClassObjectRegistration.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ShutdownMonitor.h"

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
  ComPtr<IClassFactory> objects = MakeClassFactory<TestCalc>();
  ComPtr<IClassFactory> singleton = MakeSingletonClassFactory<TestCalc>();
  ComPtr<IClassFactory> singleUse = MakeClassFactory<TestCalc>();
  ClassObjectRegistration objectsRegistration, singletonRegistration, singleUseRegistration;
  HRESULT hr = objectsRegistration.Register(CLSID_TestLocalObject, objects.Get());
  if (SUCCEEDED(hr)) hr = singletonRegistration.Register(CLSID_TestSingleton, singleton.Get());
  if (SUCCEEDED(hr))
    hr = singleUseRegistration.Register(CLSID_TestSingleUse, singleUse.Get(), CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE);
  if (FAILED(hr)) return static_cast<int>(hr);
  {
    ShutdownMonitor monitor(GetCurrentThreadId(), idleMs);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  objectsRegistration.Revoke();
  singletonRegistration.Revoke();
  singleUseRegistration.Revoke();
  return 0;
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
