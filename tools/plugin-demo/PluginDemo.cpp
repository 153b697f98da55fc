// Plays a browser plug-in against Tessiva: creates WebClassCreator over COM
// from this process, gets the Firefox browser object with a hook-handler
// window, reads and changes a setting, lists what the translation engine
// offers, and prints each step.
#include <windows.h>

#include <cstdio>
#include <string>

#include "TessivaLib.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"

namespace {

using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

void Step(const char* what, HRESULT hr) { printf("%-44s 0x%08lX\n", what, static_cast<unsigned long>(hr)); }

std::wstring Describe(const Variant& value) {
  if (value.IsMissing()) return L"(missing)";
  auto text = value.ToString();
  return text ? *text : L"(not printable)";
}

// The hidden window a plug-in hands over for the hook library's messages.
HWND CreateHandlerWindow() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"NorvaPluginDemoHookHandler";
  RegisterClassW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"NorvaHookHandlerWnd", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

int Run() {
  ComPtr<IWebClassCreator> creator;
  HRESULT hr = ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER);
  Step("create WebClassCreator (local server)", hr);
  if (FAILED(hr)) return 1;

  HWND handler = CreateHandlerWindow();
  ComPtr<IDispatch> object;
  hr = creator->GetProxyObject(EPBT_FF, nullptr, 0, static_cast<LONG>(reinterpret_cast<LONG_PTR>(handler)),
                               object.Receive());
  Step("GetProxyObject(EPBT_FF)", hr);
  auto browser = object.As<INorvaBrowserClass>();
  if (!browser) return 2;

  Bstr title;
  Step("PluginTitle", browser->get_PluginTitle(title.Receive()));
  printf("  title: %ls\n", title.CStr());
  LONG disabled = 0;
  hr = browser->get_IsDisable(&disabled);
  Step("IsDisable", hr);
  if (SUCCEEDED(hr)) printf("  disabled: %ld\n", disabled);

  Bstr name(L"PopupWordDelay");
  Variant before;
  Step("GetSetting(PopupWordDelay)", browser->GetSetting(name.Get(), Variant::Missing().Get(), before.Receive()));
  printf("  value: %ls\n", Describe(before).c_str());
  uint32_t next = before.ToUInt32().value_or(500) == 700 ? 500 : 700;
  Step("SetSetting(PopupWordDelay)", browser->SetSetting(name.Get(), Variant::FromUInt32(next).Get()));
  Variant after;
  Step("GetSetting(PopupWordDelay)", browser->GetSetting(name.Get(), Variant::Missing().Get(), after.Receive()));
  printf("  value now: %ls\n", Describe(after).c_str());

  ULONG count = 0;
  hr = browser->get_DirsCount(&count);
  Step("DirsCount", hr);
  if (FAILED(hr)) {
    printf("  no translation engine is connected\n");
  } else {
    printf("  %lu directions\n", count);
    for (ULONG i = 0; i < count; ++i) {
      Bstr dirName;
      LONG id = 0;
      ULONG templates = 0;
      browser->get_DirName(static_cast<LONG>(i), dirName.Receive());
      browser->get_DirID(i, &id);
      browser->get_TmplCountByDirIdx(i, &templates);
      printf("  [%lu] 0x%08lX %ls:", i, static_cast<unsigned long>(id), dirName.CStr());
      for (ULONG j = 0; j < templates; ++j) {
        Bstr templateName;
        browser->get_TmplNameByDirIdx(j, i, templateName.Receive());
        printf(" %ls%s", templateName.CStr(), j + 1 < templates ? "," : "");
      }
      printf("\n");
    }
    LONG active = 0;
    Step("ActiveDirID", browser->get_ActiveDirID(&active));
    printf("  active direction: 0x%08lX\n", static_cast<unsigned long>(active));
  }
  DestroyWindow(handler);
  return next == after.ToUInt32().value_or(0) ? 0 : 3;
}

}  // namespace

int wmain() {
  platform::ComApartment apartment;
  if (!apartment.Ok()) return 1;
  int result = Run();
  printf("done (%d)\n", result);
  return result;
}
