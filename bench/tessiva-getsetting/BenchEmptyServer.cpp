// The baseline server of the GetSetting benchmark: one empty method.
//   bench_empty_server /RegServer | /UnregServer | (served by COM)
#include <windows.h>

#include <span>
#include <string>

#include "BenchEmpty.h"
#include "platform/base/ModulePath.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComApartment.h"
#include "platform/com/Dispatch.h"
#include "platform/com/LocalServer.h"
#include "platform/com/ServerRegistration.h"
#include "platform/com/TypeLibrary.h"

namespace {

platform::TypeLibrary g_library(LIBID_BenchEmptyLib, 1, 0);

class CBenchEmpty : public platform::Dispatch<IBenchEmpty, g_library> {
 public:
  virtual ~CBenchEmpty() = default;
  static std::span<const platform::InterfaceEntry> Interfaces() {
    static const platform::InterfaceEntry table[] = {platform::InterfaceOf<CBenchEmpty, IBenchEmpty>(),
                                                     platform::InterfaceOf<CBenchEmpty, IDispatch>()};
    return table;
  }
  STDMETHODIMP GetSetting(BSTR, VARIANT, VARIANT*) override { return S_OK; }
};

platform::ClassRegistration Entry(const std::wstring& path) {
  platform::ClassRegistration entry;
  entry.clsid = CLSID_BenchEmptyServer;
  entry.description = L"Benchmark empty server";
  entry.server = path;
  entry.typeLib = &LIBID_BenchEmptyLib;
  return entry;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
  platform::ComApartment apartment;
  const std::wstring path = platform::ModulePath(nullptr);
  std::wstring args = arguments ? arguments : L"";
  if (args.find(L"UnregServer") != std::wstring::npos) {
    platform::UnregisterComClass(Entry(path));
    return platform::UnregisterModuleTypeLib(path);
  }
  if (args.find(L"RegServer") != std::wstring::npos) {
    HRESULT hr = platform::RegisterComClass(Entry(path));
    return FAILED(hr) ? hr : platform::RegisterModuleTypeLib(path);
  }
  platform::LocalServerClass classes[] = {{&CLSID_BenchEmptyServer, platform::MakeClassFactory<CBenchEmpty>()}};
  platform::LocalServerTimes times;
  times.idleMs = 2000;
  times.drainMs = 400;
  return platform::RunLocalServer(classes, times);
}
