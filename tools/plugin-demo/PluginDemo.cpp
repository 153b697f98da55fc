// Plays a browser plug-in against Tessiva: creates WebClassCreator over COM
// from this process, gets the Firefox browser object with a hook-handler
// window, reads and changes a setting, lists what the translation engine
// offers, translates a text and a page as a plug-in does, and prints each step.
// The road ("plugin-demo", or the name given as its argument) fails, with
// one line "<road>: FAILED: <what>" and exit code 1, when a step fails or a
// translation is not the one expected.
// Usage: tessiva_plugin_demo.exe [road name]
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "RoadCheck.h"
#include "StandInWords.h"
#include "TessivaLib.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"

namespace {

using roads::kHelloWorldRussian;
using roads::kComputerRussian;
using roads::kMorningRussian;
using platform::Bstr;
using platform::ComPtr;
using platform::Variant;
using roads::Utf8;

std::string Utf8(const wchar_t* text) { return Utf8(std::wstring(text ? text : L"")); }

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

std::wstring FromUtf8(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(size > 0 ? size : 0, L'\0');
  if (size > 0) MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  return text;
}

void TranslateSomeText(roads::Road& road, INorvaBrowserClass* browser) {
  Bstr source(L"Hello world.\r\nThe computer translates the page.");
  Bstr target;
  const HRESULT hr = browser->TranslateText(source.Get(), target.Receive());
  Step("TranslateText", hr);
  printf("  source: %s\n  result: %s\n", Utf8(source.CStr()).c_str(), Utf8(target.CStr()).c_str());
  road.CheckResult(hr, "TranslateText");
  road.CheckContains(target.CStr() ? target.CStr() : L"", kHelloWorldRussian, "the text's translation");
  road.CheckContains(target.CStr() ? target.CStr() : L"", kComputerRussian, "the text's translation");
}

// A page goes through files and a progress dialog in Tessiva; the result is UTF-8.
void TranslateSomePage(roads::Road& road, INorvaBrowserClass* browser) {
  const std::wstring sourcePath = TempPath(L"plugin-demo-page.htm");
  const std::wstring resultPath = TempPath(L"plugin-demo-page-result.htm");
  const std::wstring page =
      L"<html><head><title>The new computer</title></head><body><p>Good morning, my friend.</p></body></html>";
  if (!road.Check(WriteExchangeFile(sourcePath, page), "cannot write " + Utf8(sourcePath))) return;
  const HRESULT hr =
      browser->TranslatePage(Bstr(L"http://example.test/news").Get(), Bstr(sourcePath).Get(), Bstr(resultPath).Get());
  Step("TranslatePage", hr);
  const std::string result = ReadWholeFile(resultPath);
  printf("  page:   %s\n  result: %s\n", Utf8(page).c_str(), result.c_str());
  road.CheckResult(hr, "TranslatePage");
  road.CheckContains(FromUtf8(result), kComputerRussian, "the page's translation");
  road.CheckContains(FromUtf8(result), kMorningRussian, "the page's translation");
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

void Run(roads::Road& road) {
  ComPtr<IWebClassCreator> creator;
  HRESULT hr = ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER);
  Step("create WebClassCreator (local server)", hr);
  if (!road.CheckResult(hr, "creating WebClassCreator (Tessiva)")) return;

  HWND handler = CreateHandlerWindow();
  ComPtr<IDispatch> object;
  hr = creator->GetProxyObject(EPBT_FF, nullptr, 0, static_cast<LONG>(reinterpret_cast<LONG_PTR>(handler)),
                               object.Receive());
  Step("GetProxyObject(EPBT_FF)", hr);
  auto browser = object.As<INorvaBrowserClass>();
  if (!road.Check(static_cast<bool>(browser), "GetProxyObject(EPBT_FF) gave no browser object")) return;

  Bstr title;
  Step("PluginTitle", browser->get_PluginTitle(title.Receive()));
  printf("  title: %s\n", Utf8(title.CStr()).c_str());
  road.Check(title.CStr() && *title.CStr(), "the plug-in title is empty");
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
  if (!road.Check(SUCCEEDED(hr) && count > 0,
                  "no translation engine is connected (DirsCount " + roads::Hex(hr) + ")")) {
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
    TranslateSomeText(road, browser.Get());
    TranslateSomePage(road, browser.Get());
  }
  DestroyWindow(handler);
  road.Check(next == after.ToUInt32().value_or(0),
             "PopupWordDelay set to " + std::to_string(next) + " reads back as " + Utf8(Describe(after)));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  roads::Road road(argc > 1 ? roads::Utf8(argv[1]) : "plugin-demo");
  platform::ComApartment apartment;
  if (road.Check(apartment.Ok(), "COM does not start")) Run(road);
  return road.Finish();
}
