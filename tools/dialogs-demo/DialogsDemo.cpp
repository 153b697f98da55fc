// Shows Tessiva's settings frame on each of its pages and the translation
// dialog over a window of this program, as a browser plug-in opens them, and
// saves a PNG of each into the folder given on the command line.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "TessivaLib.h"
#include "platform/base/DeviceContext.h"
#include "platform/base/SelectedObject.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"
#include "platform/win/WindowImage.h"

namespace {

using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

constexpr int kTranslationText = 241;  // the translation dialog's text box

const wchar_t* const kPageFiles[] = {L"settings-direction", L"settings-page-translation", L"settings-selection",
                                     L"settings-word-popup", L"settings-web-search", L"settings-smarturl",
                                     L"settings-context-menu"};

struct Search {
  const wchar_t* title;
  int requiredControl;
  HWND found;
};

// A visible top-level dialog of any process with that title (and control).
HWND FindDialog(const wchar_t* title, int requiredControl) {
  Search search{title, requiredControl, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        wchar_t text[256] = {}, cls[64] = {};
        GetWindowTextW(window, text, 256);
        GetClassNameW(window, cls, 64);
        if (!IsWindowVisible(window) || wcscmp(text, s->title) != 0 || wcscmp(cls, L"#32770") != 0) return TRUE;
        if (s->requiredControl && !GetDlgItem(window, s->requiredControl)) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The screen's pixels where the window is, as they are now. The dialog
// belongs to Tessiva's process: asking it to repaint first (as
// platform::CaptureWindow does) would catch it half painted.
HRESULT SaveScreenOfWindow(HWND window, const std::wstring& path) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return E_FAIL;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = rect.right - rect.left;
  info.bmiHeader.biHeight = -(rect.bottom - rect.top);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  platform::WindowDC screen(nullptr);
  platform::UniqueBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return E_OUTOFMEMORY;
  platform::MemoryDC memory(screen.Get());
  {
    platform::SelectedObject selected(memory.Get(), bitmap.Get());
    if (!BitBlt(memory.Get(), 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen.Get(), rect.left, rect.top,
                SRCCOPY))
      return E_FAIL;
  }
  GdiFlush();
  return platform::SaveBitmapToPng(bitmap.Get(), path);
}

// Waits (at most 20 s) for the dialog, lets it paint, saves it and closes it.
void Photograph(const wchar_t* title, int requiredControl, const std::wstring& path, std::atomic<bool>& saved) {
  for (int waited = 0; waited < 20000; waited += 50) {
    if (HWND dialog = FindDialog(title, requiredControl)) {
      // Give Tessiva's process time to paint the dialog.
      Sleep(1000);
      HRESULT hr = SaveScreenOfWindow(dialog, path);
      saved = SUCCEEDED(hr);
      printf("  %-60ls 0x%08lX\n", path.c_str(), static_cast<unsigned long>(hr));
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      return;
    }
    Sleep(50);
  }
  printf("  %ls did not appear\n", title);
}

HWND MakeFrontWindow() {
  HWND window = CreateWindowExW(0, L"STATIC", L"Browser window of the dialogs demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                40, 40, 640, 420, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(window);
  return window;
}

int Run(const std::wstring& folder) {
  CreateDirectoryW(folder.c_str(), nullptr);
  ComPtr<IWebClassCreator> creator;
  HRESULT hr = ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER);
  printf("%-44s 0x%08lX\n", "create WebClassCreator (local server)", static_cast<unsigned long>(hr));
  if (FAILED(hr)) return 1;
  HWND front = MakeFrontWindow();
  ComPtr<IDispatch> object;
  hr = creator->GetProxyObject(EPBT_CROME, nullptr, static_cast<LONG>(reinterpret_cast<LONG_PTR>(front)), 0,
                               object.Receive());
  printf("%-44s 0x%08lX\n", "GetProxyObject(EPBT_CROME)", static_cast<unsigned long>(hr));
  auto browser = object.As<INorvaBrowserClass>();
  if (!browser) return 2;

  int failures = 0;
  for (int page = 0; page < 7; ++page) {
    std::atomic<bool> saved{false};
    const std::wstring path = folder + L"\\" + kPageFiles[page] + L".png";
    SetForegroundWindow(front);
    std::thread camera([&] { Photograph(L"Options", 0, path, saved); });
    hr = browser->ShowSettings(0, Variant::FromInt32(page).Get());
    camera.join();
    printf("%-44s 0x%08lX\n", ("ShowSettings page " + std::to_string(page)).c_str(), static_cast<unsigned long>(hr));
    failures += saved ? 0 : 1;
  }

  std::atomic<bool> saved{false};
  SetForegroundWindow(front);
  std::thread camera(
      [&] { Photograph(L"Selected Text Translation", kTranslationText, folder + L"\\translation-dialog.png", saved); });
  hr = browser->TranslateTextDlg(Bstr(L"The translation dialog shows the translation of a selected text.").Get(),
                                 MAKELONG(120, 140), Variant::Missing().Get(), Variant::FromInt32(EPTDT_FRAME).Get(),
                                 Variant::FromInt32(static_cast<LONG>(reinterpret_cast<LONG_PTR>(front))).Get());
  camera.join();
  printf("%-44s 0x%08lX\n", "TranslateTextDlg(EPTDT_FRAME)", static_cast<unsigned long>(hr));
  failures += saved ? 0 : 1;
  DestroyWindow(front);
  return failures == 0 ? 0 : 3;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  platform::ComApartment apartment;
  if (!apartment.Ok()) return 1;
  return Run(argc > 1 ? argv[1] : L"screenshots");
}
