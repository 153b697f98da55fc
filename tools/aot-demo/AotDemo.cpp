// Ranks the templates of a computing text and of a medical text through
// Tessiva's kernel connector (its AOT service), which reaches the AOT
// module's analyzer through the kernel's analyzer source, and prints each
// ranking with the template it picks. Then lets the analyzer show its result
// dialog for the medical text, saves a PNG of it and presses OK. Last, as a
// plug-in does, asks Tessiva.exe's browser object for ShowAot on the same
// text, chooses in the same dialog and prints the active template after it.
// Usage: aot_demo.exe <screenshot folder>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "OMBREL.h"
#include "TessivaLib.h"
#include "browserproxy/kernel/NorvaKernelWrapper.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/Variant.h"
#include "platform/win/WindowImage.h"

namespace {

constexpr wchar_t kProductKey[] = L"NRVA9-FF";
constexpr wchar_t kTitle[] = L"NORVA for Mozilla FireFox";
constexpr long kEnglishRussian = 0x00020001;
constexpr wchar_t kResultDialog[] = L"Автоматическое определение профиля перевода";

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string result(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
  return result;
}

void Rank(CNorvaKernelWrapper& connector, const char* label, const std::wstring& text) {
  printf("%s text: %s\n", label, Utf8(text).c_str());
  std::vector<RankedTemplate> ranked;
  HRESULT hr = connector.GetAotService()->RankTemplates(text, ranked, false);
  printf("  RankTemplates 0x%08lX\n", static_cast<unsigned long>(hr));
  for (const auto& [id, titleAndWeight] : ranked)
    printf("  %-10s %-28s weight %d\n", Utf8(id).c_str(), Utf8(titleAndWeight.first).c_str(), titleAndWeight.second);
  std::wstring picked;
  hr = connector.GetAotService()->DetectTemplate(text, picked);
  printf("  picks: %s (DetectTemplate 0x%08lX)\n", Utf8(picked).c_str(), static_cast<unsigned long>(hr));
}

// Runs `show` while a watcher saves a PNG of the window with this title and
// then presses the button; answers the PNG's path, empty when none was saved.
template <class Show>
std::wstring WithPicture(const wchar_t* title, const std::wstring& path, int button, Show&& show) {
  std::atomic<bool> stop{false};
  std::wstring saved;
  std::thread watcher([&] {
    for (int i = 0; i < 300 && !stop; ++i) {
      HWND dialog = FindWindowW(L"#32770", title);
      if (dialog && IsWindowVisible(dialog)) {
        Sleep(300);  // let the lists paint
        if (SUCCEEDED(platform::SaveWindowToPng(dialog, path))) saved = path;
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return;
      }
      Sleep(50);
    }
  });
  show();
  stop = true;
  watcher.join();
  return saved;
}

// The plug-in's road: Tessiva.exe's browser object (COM starts it), English-
// Russian, ShowAot with the module's dialog, OK.
HRESULT ChooseThroughTessiva(const std::wstring& screenshots) {
  platform::ComPtr<IWebClassCreator> creator;
  HRESULT hr = platform::ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER);
  platform::ComPtr<IDispatch> object;
  if (SUCCEEDED(hr)) hr = creator->GetProxyObject(EPBT_FF, nullptr, 0, 0, object.Receive());
  auto browser = object.As<INorvaBrowserClass>();
  printf("Tessiva: GetProxyObject 0x%08lX\n", static_cast<unsigned long>(hr));
  if (!browser) return E_FAIL;
  browser->put_ActiveDirID(kEnglishRussian);
  auto active = [&browser] {
    platform::Bstr id;
    ULONG index = 0;
    browser->get_ActiveTplId(id.Receive());
    browser->get_ActiveTplIndex(&index);
    return Utf8(id.Str()) + " (row " + std::to_string(index) + ")";
  };
  printf("  active template before: %s\n", active().c_str());
  std::wstring saved = WithPicture(kResultDialog, screenshots + L"\\tessiva-showaot-dialog.png", IDOK, [&] {
    hr = browser->ShowAot(platform::Bstr(L"After the operation the virus was gone; a second operation followed.").Get());
  });
  printf("  ShowAot 0x%08lX, active template after: %s\n", static_cast<unsigned long>(hr), active().c_str());
  if (!saved.empty()) printf("  saved %s\n", Utf8(saved).c_str());
  return hr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring screenshots = argc > 1 ? argv[1] : L".";
  platform::ComApartment apartment;
  if (!apartment.Ok()) return 2;
  CNorvaKernelWrapper connector(kTitle);
  if (!connector.Initialize(kProductKey)) {
    printf("the kernel connector cannot start\n");
    return 1;
  }
  connector.SetActiveDirID(kEnglishRussian);
  Rank(connector, "Computing", L"The program keeps the virus in memory; the computer shows it in a window.");
  Rank(connector, "Medical", L"After the operation the virus was gone; a second operation followed.");

  // The result dialog: saved as a PNG by a watcher, then confirmed.
  std::wstring chosen;
  HRESULT hr = E_FAIL;
  std::wstring saved = WithPicture(kResultDialog, screenshots + L"\\ombrel-result-dialog.png", IDOK, [&] {
    hr = connector.GetAotService()->ChooseTemplate(
        L"After the operation the virus was gone; a second operation followed.", chosen);
  });
  printf("Result dialog: ChooseTemplate 0x%08lX, chosen: %s\n", static_cast<unsigned long>(hr), Utf8(chosen).c_str());
  if (!saved.empty()) printf("  saved %s\n", Utf8(saved).c_str());

  // The keyword setup dialog of the module, opened as a client of its own
  // would (by ProgID), on the medical profile: saved as a PNG, then cancelled.
  platform::ComPtr<INorva5TemplateAnalyzer> analyzer;
  CLSID clsid{};
  HRESULT created = CLSIDFromProgID(L"Norva5.TemplateSemiAnalyzer", &clsid);
  if (SUCCEEDED(created))
    created = platform::ComPtr<INorva5TemplateAnalyzer>::TryCreate(clsid, &analyzer, CLSCTX_INPROC_SERVER);
  if (SUCCEEDED(created)) {
    platform::Variant direction = platform::Variant::FromInt32(kEnglishRussian);
    analyzer->Initialize(platform::Bstr(L"aot-demo").Get(), direction.Get());
    analyzer->put_DefaultTemplate(platform::Bstr(L"Medicine").Get());
    HRESULT setup = E_FAIL;
    saved = WithPicture(L"Настройка определения профиля перевода по ключевым словам",
                        screenshots + L"\\ombrel-setup-dialog.png", IDCANCEL, [&] { setup = analyzer->DlgSetup2(0); });
    printf("Keyword setup dialog: DlgSetup2 0x%08lX\n", static_cast<unsigned long>(setup));
    if (!saved.empty()) printf("  saved %s\n", Utf8(saved).c_str());
  }
  const HRESULT shown = ChooseThroughTessiva(screenshots);
  return SUCCEEDED(hr) && shown == S_OK ? 0 : 1;
}
