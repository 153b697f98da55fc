#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "TestCalc.h"

// An event sink of the tests: records each Ping; answers failHr instead
// when set; unadvises itself from point during its first Ping when asked.
class TestSink : public platform::Dispatch<ITestEvents, testLibrary> {
 public:
  struct Received {
    LONG value;
    std::wstring text;
  };

  static std::span<const platform::InterfaceEntry> Interfaces();
  HRESULT STDMETHODCALLTYPE Ping(LONG value, BSTR text) override;

  std::vector<Received> pings;
  HRESULT failHr = S_OK;
  IConnectionPoint* unadviseFrom = nullptr;
  DWORD cookie = 0;
};
