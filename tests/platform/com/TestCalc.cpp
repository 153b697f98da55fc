#include "TestCalc.h"

#include <atomic>
#include <new>
#include <stdexcept>

#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/SafeArray.h"
#include "platform/com/Variant.h"

using namespace platform;

namespace {
std::atomic<LONG> made{0};
}

TestCalc::TestCalc() : ConnectionPointContainer({IID_ITestEvents}), number_(++made) {}

LONG TestCalc::Made() { return made.load(); }

std::span<const InterfaceEntry> TestCalc::Interfaces() {
  static const InterfaceEntry table[] = {
      InterfaceOf<TestCalc, ITestCalc>(),
      InterfaceOf<TestCalc, IDispatch, ITestCalc>(),
      InterfaceOf<TestCalc, IConnectionPointContainer>(),
  };
  return table;
}

HRESULT TestCalc::Add(LONG a, LONG b, LONG* sum) {
  if (!sum) return E_POINTER;
  *sum = a + b;
  return S_OK;
}

HRESULT TestCalc::Echo(BSTR text, BSTR* result) {
  if (!result) return E_POINTER;
  return ComBoundary([&] { return Bstr(BstrView(text)).CopyTo(result); });
}

HRESULT TestCalc::IsMissing(VARIANT value, VARIANT_BOOL* missing) {
  if (!missing) return E_POINTER;
  *missing = platform::IsMissing(value) ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT TestCalc::ObjectsGiven(IUnknown* unknown, IDispatch* dispatch, ITestEvents* events, VARIANT tail,
                               LONG* given) {
  if (!given) return E_POINTER;
  *given = (unknown ? 1 : 0) | (dispatch ? 2 : 0) | (events ? 4 : 0) | (platform::IsMissing(tail) ? 8 : 0);
  return S_OK;
}

HRESULT TestCalc::Fire(LONG value, BSTR text, LONG* reached) {
  if (!reached) return E_POINTER;
  return ComBoundary([&] {
    *reached = static_cast<LONG>(
        Point(IID_ITestEvents).Fire<ITestEvents>([&](ITestEvents* sink) { return sink->Ping(value, text); }));
  });
}

HRESULT TestCalc::get_ProcessId(LONG* id) {
  if (!id) return E_POINTER;
  *id = static_cast<LONG>(GetCurrentProcessId());
  return S_OK;
}

HRESULT TestCalc::get_InstanceNumber(LONG* number) {
  if (!number) return E_POINTER;
  *number = number_;
  return S_OK;
}

HRESULT TestCalc::Fail(LONG how) {
  return ComBoundary([&] {
    switch (how) {
      case 1: throw ComError(E_ACCESSDENIED, L"Refused");
      case 2: throw std::bad_alloc();
      case 3: throw std::runtime_error("anything else");
      default: break;
    }
  });
}

HRESULT TestCalc::Sum(VARIANT numbers, LONG* sum) {
  if (!sum) return E_POINTER;
  return ComBoundary([&] {
    SAFEARRAY* array = ArrayOf(numbers);
    if (!array) return E_INVALIDARG;
    LONG total = 0;
    for (ULONG i = 0; i < ElementCount(array); ++i) total += Int32At(array, i);
    *sum = total;
    return S_OK;
  });
}

HRESULT TestCalc::get_Stored(LONG* value) {
  if (!value) return E_POINTER;
  *value = stored_;
  return S_OK;
}

HRESULT TestCalc::put_Stored(LONG value) {
  stored_ = value;
  return S_OK;
}
