// Plays a browser plug-in against Tessiva: creates WebClassCreator over COM
// from this process, gets the Firefox browser object with a hook-handler
// window, reads and changes a setting, lists what the translation engine
// offers, translates a text and a page as a plug-in does, and prints each step.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
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

// The output is UTF-8 whatever the console's code page, so that translations print.
std::string Utf8(const wchar_t* text) {
  if (!text || !*text) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string result(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
  return result;
}
std::string Utf8(const std::wstring& text) { return Utf8(text.c_str()); }

void Step(const char* what, HRESULT hr) { printf("%-44s 0x%08lX\n", what, static_cast<unsigned long>(hr)); }

std::wstring Describe(const Variant& value) {
  if (value.IsMissing()) return L"(missing)";
  auto text = value.ToString();
  return text ? *text : L"(not printable)";
}

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

// A plug-in hands its text over in a file: byte-order mark, then UTF-16LE.
bool WriteExchangeFile(const std::wstring& path, const std::wstring& text) {
  std::ofstream file(path.c_str(), std::ios::binary | std::ios::trunc);
  file.write("\xFF\xFE", 2);
  file.write(reinterpret_cast<const char*>(text.data()), static_cast<std::streamsize>(text.size() * sizeof(wchar_t)));
  return static_cast<bool>(file);
}

std::string ReadWholeFile(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void TranslateSomeText(INorvaBrowserClass* browser) {
  Bstr source(L"Hello world.\r\nThe computer translates the page.");
  Bstr target;
  Step("TranslateText", browser->TranslateText(source.Get(), target.Receive()));
  printf("  source: %s\n  result: %s\n", Utf8(source.CStr()).c_str(), Utf8(target.CStr()).c_str());
}

// A page goes through files and a progress dialog in Tessiva; the result is UTF-8.
void TranslateSomePage(INorvaBrowserClass* browser) {
  const std::wstring sourcePath = TempPath(L"plugin-demo-page.htm");
  const std::wstring resultPath = TempPath(L"plugin-demo-page-result.htm");
  const std::wstring page =
      L"<html><head><title>The new computer</title></head><body><p>Good morning, my friend.</p></body></html>";
  if (!WriteExchangeFile(sourcePath, page)) {
    printf("  cannot write %s\n", Utf8(sourcePath).c_str());
    return;
  }
  Step("TranslatePage", browser->TranslatePage(Bstr(L"http://example.test/news").Get(), Bstr(sourcePath).Get(),
                                               Bstr(resultPath).Get()));
  printf("  page:   %s\n  result: %s\n", Utf8(page).c_str(), ReadWholeFile(resultPath).c_str());
  DeleteFileW(sourcePath.c_str());
  DeleteFileW(resultPath.c_str());
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
  printf("  title: %s\n", Utf8(title.CStr()).c_str());
  LONG disabled = 0;
  hr = browser->get_IsDisable(&disabled);
  Step("IsDisable", hr);
  if (SUCCEEDED(hr)) printf("  disabled: %ld\n", disabled);

  Bstr name(L"PopupWordDelay");
  Variant before;
  Step("GetSetting(PopupWordDelay)", browser->GetSetting(name.Get(), Variant::Missing().Get(), before.Receive()));
  printf("  value: %s\n", Utf8(Describe(before)).c_str());
  uint32_t next = before.ToUInt32().value_or(500) == 700 ? 500 : 700;
  Step("SetSetting(PopupWordDelay)", browser->SetSetting(name.Get(), Variant::FromUInt32(next).Get()));
  Variant after;
  Step("GetSetting(PopupWordDelay)", browser->GetSetting(name.Get(), Variant::Missing().Get(), after.Receive()));
  printf("  value now: %s\n", Utf8(Describe(after)).c_str());

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
      printf("  [%lu] 0x%08lX %s:", i, static_cast<unsigned long>(id), Utf8(dirName.CStr()).c_str());
      for (ULONG j = 0; j < templates; ++j) {
        Bstr templateName;
        browser->get_TmplNameByDirIdx(j, i, templateName.Receive());
        printf(" %s%s", Utf8(templateName.CStr()).c_str(), j + 1 < templates ? "," : "");
      }
      printf("\n");
    }
    LONG active = 0;
    Step("ActiveDirID", browser->get_ActiveDirID(&active));
    printf("  active direction: 0x%08lX\n", static_cast<unsigned long>(active));
    Bstr activeTemplate;
    Step("ActiveTplId", browser->get_ActiveTplId(activeTemplate.Receive()));
    printf("  active template: %s\n", Utf8(activeTemplate.CStr()).c_str());
    TranslateSomeText(browser.Get());
    TranslateSomePage(browser.Get());
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
