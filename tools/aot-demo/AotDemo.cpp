// Ranks the templates of a computing text and of a medical text through
// Tessiva's kernel connector (its AOT service), which reaches the AOT
// module's analyzer through the kernel's analyzer source, and prints each
// ranking with the template it picks. Then lets the analyzer show its result
// dialog for the medical text, saves a PNG of it and presses OK.
// Usage: aot_demo.exe <screenshot folder>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "OMBREL.h"
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

// The keyword report on one line: "virus x2, memory x1".
std::string Keywords(const std::wstring& report) {
  std::string out;
  size_t pos = 0;
  while (pos < report.size()) {
    size_t end = report.find(L"\r\n", pos);
    std::wstring line = report.substr(pos, end == std::wstring::npos ? std::wstring::npos : end - pos);
    pos = end == std::wstring::npos ? report.size() : end + 2;
    size_t first = line.find(L' '), second = first == std::wstring::npos ? first : line.find(L' ', first + 1);
    if (second == std::wstring::npos) continue;
    out += (out.empty() ? "" : ", ") + Utf8(line.substr(second + 1)) + " x" + Utf8(line.substr(0, first));
  }
  return out;
}

void Rank(CNorvaKernelWrapper& connector, const char* label, const std::wstring& text) {
  printf("%s text: %s\n", label, Utf8(text).c_str());
  std::vector<RankedTemplate> ranked;
  HRESULT hr = connector.RankTemplates(text, ranked, false);
  printf("  RankTemplates 0x%08lX\n", static_cast<unsigned long>(hr));
  for (const auto& [id, titleAndWeight] : ranked)
    printf("  %-28s weight %-3d keywords: %s\n", Utf8(id).c_str(), titleAndWeight.second,
           Keywords(titleAndWeight.first).c_str());
  std::wstring picked;
  hr = connector.DetectTemplate(text, picked);
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
    hr = connector.ChooseTemplate(L"After the operation the virus was gone; a second operation followed.", chosen);
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
  return SUCCEEDED(hr) ? 0 : 1;
}
