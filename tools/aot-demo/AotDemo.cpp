// Ranks the templates of a computing text and of a medical text through
// Tessiva's kernel connector (its AOT service), which reaches the AOT
// module's analyzer through the kernel's analyzer source, and prints each
// ranking with the template it picks. Then lets the analyzer show its result
// dialog for the medical text, saves a PNG of it and presses OK. Last, as a
// plug-in does, asks Tessiva.exe's browser object for ShowAot on the same
// text, chooses in the same dialog and prints the active template after it.
// The road ("aot-demo") fails, with one line "aot-demo: FAILED: <what>" and
// exit code 1, when a ranking picks another template than the text's
// subject, a dialog did not appear or paint, or the choice did not come back.
// Usage: aot_demo.exe <screenshot folder>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "OMBREL.h"
#include "RoadCheck.h"
#include "TessivaLib.h"
#include "browserproxy/kernel/NorvaKernelWrapper.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/Variant.h"

namespace {

using roads::Utf8;

constexpr wchar_t kProductKey[] = L"NRVA9-FF";
constexpr wchar_t kTitle[] = L"NORVA for Mozilla FireFox";
constexpr long kEnglishRussian = 0x00020001;
constexpr wchar_t kResultDialog[] = L"Автоматическое определение профиля перевода";
constexpr wchar_t kMedicalText[] = L"After the operation the virus was gone; a second operation followed.";
// The stand-in kernel's template ids of the two subjects.
const std::wstring kComputer = L"COMPUTER";
const std::wstring kMedical = L"MEDICAL";

void Rank(roads::Road& road, CNorvaKernelWrapper& connector, const char* label, const std::wstring& text,
          const std::wstring& subject) {
  printf("%s text: %s\n", label, Utf8(text).c_str());
  std::vector<RankedTemplate> ranked;
  HRESULT hr = connector.GetAotService()->RankTemplates(text, ranked, false);
  printf("  RankTemplates 0x%08lX\n", static_cast<unsigned long>(hr));
  for (const auto& [id, titleAndWeight] : ranked)
    printf("  %-10s %-28s weight %d\n", Utf8(id).c_str(), Utf8(titleAndWeight.first).c_str(), titleAndWeight.second);
  std::wstring picked;
  hr = connector.GetAotService()->DetectTemplate(text, picked);
  printf("  picks: %s (DetectTemplate 0x%08lX)\n", Utf8(picked).c_str(), static_cast<unsigned long>(hr));
  road.Check(!ranked.empty() && ranked.front().first == subject,
             std::string(label) + " text: the ranking does not put " + Utf8(subject) + " first");
  road.Check(picked == subject,
             std::string(label) + " text: DetectTemplate picked \"" + Utf8(picked) + "\", not " + Utf8(subject));
}

// Runs `show` while a watcher waits for the dialog with this title, saves
// its picture and then presses the button; the road fails when the dialog
// did not appear or paint.
template <class Show>
void WithPicture(roads::Road& road, const wchar_t* title, const std::wstring& path, int button, Show&& show) {
  std::atomic<bool> stop{false};
  std::atomic<bool> shown{false};
  std::thread watcher([&] {
    for (int i = 0; i < 300 && !stop; ++i) {
      HWND dialog = FindWindowW(L"#32770", title);
      if (dialog && IsWindowVisible(dialog)) {
        shown = true;
        road.SavePicture(dialog, path, "the dialog \"" + Utf8(title) + "\"");
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return;
      }
      Sleep(50);
    }
  });
  show();
  stop = true;
  watcher.join();
  road.Check(shown, "the dialog \"" + Utf8(title) + "\" did not appear");
}

// The plug-in's road: Tessiva.exe's browser object (COM starts it), English-
// Russian, ShowAot with the module's dialog, OK.
void ChooseThroughTessiva(roads::Road& road, const std::wstring& screenshots) {
  platform::ComPtr<IWebClassCreator> creator;
  HRESULT hr = platform::ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER);
  platform::ComPtr<IDispatch> object;
  if (SUCCEEDED(hr)) hr = creator->GetProxyObject(EPBT_FF, nullptr, 0, 0, object.Receive());
  auto browser = object.As<INorvaBrowserClass>();
  printf("Tessiva: GetProxyObject 0x%08lX\n", static_cast<unsigned long>(hr));
  if (!road.Check(static_cast<bool>(browser), "Tessiva gave no browser object (" + roads::Hex(hr) + ")")) return;
  browser->put_ActiveDirID(kEnglishRussian);
  auto active = [&browser] {
    platform::Bstr id;
    ULONG index = 0;
    browser->get_ActiveTplId(id.Receive());
    browser->get_ActiveTplIndex(&index);
    return id.Str();
  };
  printf("  active template before: %s\n", Utf8(active()).c_str());
  WithPicture(road, kResultDialog, screenshots + L"\\tessiva-showaot-dialog.png", IDOK,
              [&] { hr = browser->ShowAot(platform::Bstr(kMedicalText).Get()); });
  const std::wstring after = active();
  printf("  ShowAot 0x%08lX, active template after: %s\n", static_cast<unsigned long>(hr), Utf8(after).c_str());
  road.Check(hr == S_OK, "ShowAot answered " + roads::Hex(hr) + " after OK in its dialog");
  road.Check(after == kMedical, "after ShowAot the active template is \"" + Utf8(after) + "\", not " + Utf8(kMedical));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring screenshots = argc > 1 ? argv[1] : L".";
  roads::Road road("aot-demo");
  platform::ComApartment apartment;
  if (!road.Check(apartment.Ok(), "COM does not start")) return road.Finish();
  CNorvaKernelWrapper connector(kTitle);
  if (!road.Check(connector.Initialize(kProductKey), "the kernel connector cannot start")) return road.Finish();
  connector.SetActiveDirID(kEnglishRussian);
  Rank(road, connector, "Computing", L"The program keeps the virus in memory; the computer shows it in a window.",
       kComputer);
  Rank(road, connector, "Medical", kMedicalText, kMedical);

  // The result dialog: saved as a PNG by a watcher, then confirmed.
  std::wstring chosen;
  HRESULT hr = E_FAIL;
  WithPicture(road, kResultDialog, screenshots + L"\\ombrel-result-dialog.png", IDOK,
              [&] { hr = connector.GetAotService()->ChooseTemplate(kMedicalText, chosen); });
  printf("Result dialog: ChooseTemplate 0x%08lX, chosen: %s\n", static_cast<unsigned long>(hr), Utf8(chosen).c_str());
  road.CheckResult(hr, "ChooseTemplate");
  road.Check(chosen == kMedical, "OK in the result dialog chose \"" + Utf8(chosen) + "\", not " + Utf8(kMedical));

  // The keyword setup dialog of the module, opened as a client of its own
  // would (by ProgID), on the medical profile: saved as a PNG, then cancelled.
  platform::ComPtr<INorva5TemplateAnalyzer> analyzer;
  CLSID clsid{};
  HRESULT created = CLSIDFromProgID(L"Norva5.TemplateSemiAnalyzer", &clsid);
  if (SUCCEEDED(created))
    created = platform::ComPtr<INorva5TemplateAnalyzer>::TryCreate(clsid, &analyzer, CLSCTX_INPROC_SERVER);
  if (road.CheckResult(created, "creating Norva5.TemplateSemiAnalyzer")) {
    platform::Variant direction = platform::Variant::FromInt32(kEnglishRussian);
    analyzer->Initialize(platform::Bstr(L"aot-demo").Get(), direction.Get());
    analyzer->put_DefaultTemplate(platform::Bstr(L"Medicine").Get());
    HRESULT setup = E_FAIL;
    WithPicture(road, L"Настройка определения профиля перевода по ключевым словам",
                screenshots + L"\\ombrel-setup-dialog.png", IDCANCEL, [&] { setup = analyzer->DlgSetup2(0); });
    printf("Keyword setup dialog: DlgSetup2 0x%08lX\n", static_cast<unsigned long>(setup));
  }
  ChooseThroughTessiva(road, screenshots);
  return road.Finish();
}
