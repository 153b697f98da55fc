#pragma once
#include <windows.h>

#include <span>

#include "PlatformComTest.h"
#include "platform/com/ComObject.h"
#include "platform/com/ConnectionPoints.h"
#include "platform/com/Dispatch.h"
#include "platform/com/TypeLibrary.h"

// The test library, found through its registration or else embedded in
// the module.
inline platform::TypeLibrary testLibrary{LIBID_PlatformComTestLib, 1, 0};

// The object every test server serves: a dual interface with an event
// source, telling its process and its serial number in that process.
class TestCalc : public platform::Dispatch<ITestCalc, testLibrary>, public platform::ConnectionPointContainer {
 public:
  TestCalc();

  static std::span<const platform::InterfaceEntry> Interfaces();
  // Objects made so far in this process.
  static LONG Made();

  HRESULT STDMETHODCALLTYPE Add(LONG a, LONG b, LONG* sum) override;
  HRESULT STDMETHODCALLTYPE Echo(BSTR text, BSTR* result) override;
  HRESULT STDMETHODCALLTYPE IsMissing(VARIANT value, VARIANT_BOOL* missing) override;
  HRESULT STDMETHODCALLTYPE Fire(LONG value, BSTR text, LONG* reached) override;
  HRESULT STDMETHODCALLTYPE get_ProcessId(LONG* id) override;
  HRESULT STDMETHODCALLTYPE get_InstanceNumber(LONG* number) override;
  HRESULT STDMETHODCALLTYPE Fail(LONG how) override;
  HRESULT STDMETHODCALLTYPE Sum(VARIANT numbers, LONG* sum) override;
  HRESULT STDMETHODCALLTYPE get_Stored(LONG* value) override;
  HRESULT STDMETHODCALLTYPE put_Stored(LONG value) override;
  HRESULT STDMETHODCALLTYPE ObjectsGiven(IUnknown* unknown, IDispatch* dispatch, ITestEvents* events, VARIANT tail,
                                         LONG* given) override;

 private:
  LONG number_;
  LONG stored_ = 0;
};
