// A second client process of Tessiva for the tests: gets the browser object
// of a type and sets or prints one setting.
//   tessiva_test_client setreal <type> <name> <number>
//   tessiva_test_client get <type> <name>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "TessivaLib.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  platform::ComApartment apartment;
  platform::ComPtr<IWebClassCreator> creator;
  HRESULT hr = platform::ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER);
  printf("create 0x%08lX\n", static_cast<unsigned long>(hr));
  if (FAILED(hr)) return 3;
  platform::ComPtr<IDispatch> object;
  hr = creator->GetProxyObject(static_cast<ENorvaBrowserType>(_wtoi(argv[2])), nullptr, 0, 0, object.Receive());
  printf("GetProxyObject 0x%08lX\n", static_cast<unsigned long>(hr));
  auto browser = object.As<INorvaBrowserClass>();
  if (!browser) return 4;
  std::wstring command = argv[1];
  platform::Bstr name(argv[3]);
  if (command == L"setreal" && argc > 4) {
    hr = browser->SetSetting(name.Get(), platform::Variant::FromDouble(_wtof(argv[4])).Get());
    printf("SetSetting 0x%08lX\n", static_cast<unsigned long>(hr));
    return FAILED(hr) ? 5 : 0;
  }
  if (command == L"get") {
    platform::Variant value;
    hr = browser->GetSetting(name.Get(), platform::Variant::Missing().Get(), value.Receive());
    auto text = value.ToString();
    printf("GetSetting 0x%08lX %ls\n", static_cast<unsigned long>(hr), text ? text->c_str() : L"(none)");
    return FAILED(hr) ? 5 : 0;
  }
  return 2;
}
