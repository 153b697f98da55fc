#include "TestSink.h"

#include "platform/com/Bstr.h"

using namespace platform;

std::span<const InterfaceEntry> TestSink::Interfaces() {
  static const InterfaceEntry table[] = {
      InterfaceOf<TestSink, ITestEvents>(),
      InterfaceOf<TestSink, IDispatch, ITestEvents>(),
  };
  return table;
}

HRESULT TestSink::Ping(LONG value, BSTR text) {
  pings.push_back({value, std::wstring(BstrView(text))});
  if (IConnectionPoint* point = unadviseFrom) {
    unadviseFrom = nullptr;
    point->Unadvise(cookie);
  }
  return failHr;
}
