// Shows Tessiva's settings frame on each of its pages and the translation
// dialog over a window of this program, as a browser plug-in opens them, and
// saves a PNG of each into the folder given on the command line. The road
// ("dialogs-demo") fails, with one line "dialogs-demo: FAILED: <what>" and
// exit code 1, when a dialog did not appear or paint, shows another page
// than the one asked for, or the translation dialog shows no translation.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <cstdio>
#include <string>
#include <thread>

#include "RoadCheck.h"
#include "StandInWords.h"
#include "TessivaLib.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"

namespace {

using roads::kTranslationRussian;
using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

constexpr int kTranslationText = 241;  // the translation dialog's text box
constexpr int kPageList = 223;         // the settings frame's list of pages

const wchar_t* const kPageFiles[] = {L"settings-direction", L"settings-page-translation", L"settings-selection",
                                     L"settings-word-popup", L"settings-web-search", L"settings-smarturl",
                                     L"settings-context-menu"};

// A visible top-level dialog of any process with that title (and control).
HWND WaitForDialog(const wchar_t* title, int requiredControl, DWORD ms) {
  return roads::WaitForWindow(
      [&](HWND window) {
        wchar_t cls[64] = {};
        GetClassNameW(window, cls, 64);
        return wcscmp(cls, L"#32770") == 0 && roads::WindowText(window) == title &&
               (!requiredControl || GetDlgItem(window, requiredControl));
      },
      ms);
}

// Waits (at most 20 s) for the dialog, checks what it shows, saves its
// picture and closes it.
void Photograph(roads::Road& road, const wchar_t* title, int requiredControl, const std::wstring& path,
                const std::function<void(HWND)>& check) {
  const std::string what = "the dialog \"" + roads::Utf8(title) + "\"";
  HWND dialog = WaitForDialog(title, requiredControl, 20000);
  if (!road.Check(dialog, what + " did not appear")) return;
  check(dialog);
  road.SavePicture(dialog, path, what);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

HWND MakeFrontWindow() {
  HWND window = CreateWindowExW(0, L"STATIC", L"Browser window of the dialogs demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                40, 40, 640, 420, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(window);
  return window;
}

int Run(const std::wstring& folder) {
  roads::Road road("dialogs-demo");
  CreateDirectoryW(folder.c_str(), nullptr);
  ComPtr<IWebClassCreator> creator;
  HRESULT hr = ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER);
  printf("%-44s 0x%08lX\n", "create WebClassCreator (local server)", static_cast<unsigned long>(hr));
  if (!road.CheckResult(hr, "creating WebClassCreator (Tessiva)")) return road.Finish();
  HWND front = MakeFrontWindow();
  ComPtr<IDispatch> object;
  hr = creator->GetProxyObject(EPBT_CROME, nullptr, static_cast<LONG>(reinterpret_cast<LONG_PTR>(front)), 0,
                               object.Receive());
  printf("%-44s 0x%08lX\n", "GetProxyObject(EPBT_CROME)", static_cast<unsigned long>(hr));
  auto browser = object.As<INorvaBrowserClass>();
  if (!road.Check(static_cast<bool>(browser), "GetProxyObject(EPBT_CROME) gave no browser object"))
    return road.Finish();

  for (int page = 0; page < 7; ++page) {
    const std::wstring path = folder + L"\\" + kPageFiles[page] + L".png";
    SetForegroundWindow(front);
    std::thread camera([&] {
      Photograph(road, L"Options", 0, path, [&](HWND dialog) {
        const LRESULT shown =
            SendMessageW(GetDlgItem(dialog, kPageList), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
        road.Check(shown == page,
                   "ShowSettings(" + std::to_string(page) + ") opened the page in row " + std::to_string(shown));
      });
    });
    hr = browser->ShowSettings(0, Variant::FromInt32(page).Get());
    camera.join();
    printf("%-44s 0x%08lX\n", ("ShowSettings page " + std::to_string(page)).c_str(), static_cast<unsigned long>(hr));
    road.CheckResult(hr, "ShowSettings(" + std::to_string(page) + ")");
  }

  SetForegroundWindow(front);
  const std::wstring source = L"The translation dialog shows the translation of a selected text.";
  std::thread camera([&] {
    Photograph(
        road, L"Selected Text Translation", kTranslationText, folder + L"\\translation-dialog.png", [&](HWND dialog) {
          // The translation may fill the box a moment after the dialog shows.
          std::wstring shown;
          for (int i = 0; i < 50 && (shown = roads::ControlText(GetDlgItem(dialog, kTranslationText))).empty(); ++i)
            Sleep(100);
          road.CheckContains(shown, kTranslationRussian, "the translation dialog's text");
        });
  });
  hr = browser->TranslateTextDlg(Bstr(source).Get(), MAKELONG(120, 140), Variant::Missing().Get(),
                                 Variant::FromInt32(EPTDT_FRAME).Get(),
                                 Variant::FromInt32(static_cast<LONG>(reinterpret_cast<LONG_PTR>(front))).Get());
  camera.join();
  printf("%-44s 0x%08lX\n", "TranslateTextDlg(EPTDT_FRAME)", static_cast<unsigned long>(hr));
  road.CheckResult(hr, "TranslateTextDlg(EPTDT_FRAME)");
  DestroyWindow(front);
  return road.Finish();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  platform::ComApartment apartment;
  if (!apartment.Ok()) return 1;
  return Run(argc > 1 ? argv[1] : L"screenshots");
}
