// Plays a browser plug-in that asks Tessiva for its popups: opens a page
// window of its own with a word and a sentence on it, puts the pointer on
// the word, asks for the word popup (TranslateTextDlg, word kind) and for
// the selection popup (selection kind), waits until each is on the screen
// and saves a PNG of it through the imaging component. The road
// ("popup-demo") fails, with one line "popup-demo: FAILED: <what>" and exit
// code 1, when a popup did not appear, did not paint, covers the text it
// explains or leaves the screen.
// Usage: tessiva_popup_demo.exe <folder for the PNG files>
#include <windows.h>

#include <cstdio>
#include <string>

#include "RoadCheck.h"
#include "TessivaLib.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"
#include "platform/win/WindowImage.h"

namespace {

using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

constexpr wchar_t kWord[] = L"table";
constexpr wchar_t kSentence[] = L"The big table is in the house. We go home.";
constexpr RECT kWordBox = {40, 40, 84, 56};      // client coordinates of the word on the page
constexpr RECT kSentenceBox = {40, 80, 330, 96};  // and of the selected sentence

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT word = kWordBox, sentence = kSentenceBox;
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, kWord, -1, &word, DT_SINGLELINE | DT_NOPREFIX);
    DrawTextW(dc, kSentence, -1, &sentence, DT_SINGLELINE | DT_NOPREFIX);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakePage() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PageProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"TessivaPopupDemoPage";
  RegisterClassW(&wc);
  HWND page = CreateWindowExW(0, wc.lpszClassName, L"A page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 520, 300,
                              nullptr, nullptr, wc.hInstance, nullptr);
  SetForegroundWindow(page);
  return page;
}

void Pump(DWORD ms) {
  DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

RECT ScreenRect(HWND page, RECT box) {
  MapWindowPoints(page, nullptr, reinterpret_cast<POINT*>(&box), 2);
  return box;
}

Variant RectArgument(const RECT& r) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 4);
  LONG values[4] = {r.left, r.top, r.right, r.bottom};
  for (LONG i = 0; i < 4; ++i) SafeArrayPutElement(array, &i, &values[i]);
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_ARRAY | VT_I4;
  v.parray = array;
  return Variant::Adopt(v);
}

// The visible popup of Tessiva with that window class, waited for.
HWND WaitForPopup(const wchar_t* className, DWORD ms) {
  DWORD end = GetTickCount() + ms;
  for (;;) {
    HWND popup = FindWindowW(className, nullptr);
    if (popup && IsWindowVisible(popup)) return popup;
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return nullptr;
    Pump(20);
  }
}

// The popup shown for a text at that box of the page: painted, on the
// screen, beside the text rather than over it.
void CheckPopup(roads::Road& road, HWND popup, const RECT& text, const std::wstring& folder, const wchar_t* name,
                const std::string& what) {
  if (!road.Check(popup, "no " + what + " appeared")) return;
  RECT shown{}, overlap{}, screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  GetWindowRect(popup, &shown);
  printf("%-44ls %ldx%ld at (%ld, %ld)\n", name, shown.right - shown.left, shown.bottom - shown.top, shown.left,
         shown.top);
  road.Check(!IntersectRect(&overlap, &shown, &text), "the " + what + " covers the text it explains");
  road.Check(shown.left >= screen.left && shown.top >= screen.top && shown.right <= screen.right &&
                 shown.bottom <= screen.bottom,
             "the " + what + " leaves the screen");
  road.SavePicture(popup, folder + L"\\" + name, "the " + what);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring folder = argc > 1 ? argv[1] : L".";
  CreateDirectoryW(folder.c_str(), nullptr);
  platform::ComApartment apartment;
  roads::Road road("popup-demo");
  if (!road.Check(apartment.Ok(), "COM does not start")) return road.Finish();

  ComPtr<IWebClassCreator> creator;
  HRESULT hr = ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER);
  printf("%-44s 0x%08lX\n", "create WebClassCreator", static_cast<unsigned long>(hr));
  if (!road.CheckResult(hr, "creating WebClassCreator (Tessiva)")) return road.Finish();
  HWND page = MakePage();
  ComPtr<IDispatch> object;
  hr = creator->GetProxyObject(EPBT_FF, nullptr, HandleToLong(page), 0, object.Receive());
  printf("%-44s 0x%08lX\n", "GetProxyObject(EPBT_FF)", static_cast<unsigned long>(hr));
  auto browser = object.As<INorvaBrowserClass>();
  if (!road.Check(static_cast<bool>(browser), "GetProxyObject(EPBT_FF) gave no browser object")) return road.Finish();
  browser->put_ActiveDirID(0x00020001);  // English-Russian
  browser->SetSetting(Bstr(L"PopupWordDelay").Get(), Variant::FromUInt32(200).Get());
  Pump(300);

  // The word under the pointer.
  RECT word = ScreenRect(page, kWordBox);
  SetCursorPos(word.left + 10, word.top + 6);
  LONG point = MAKELONG(word.left + 10, word.top + 6);
  Variant wordRect = RectArgument(word);
  hr = browser->TranslateTextDlg(Bstr(kWord).Get(), point, wordRect.Get(), Variant::FromInt32(EPTDT_TOOLTIP_WORD).Get(),
                                 Variant::FromInt32(HandleToLong(page)).Get());
  printf("%-44s 0x%08lX\n", "TranslateTextDlg(\"table\", word popup)", static_cast<unsigned long>(hr));
  road.CheckResult(hr, "TranslateTextDlg(\"table\", word popup)");
  HWND popup = WaitForPopup(L"NorvaToolTipWordWnd", 5000);
  Pump(300);
  CheckPopup(road, popup, word, folder, L"word-popup.png", "word popup");
  browser->TranslateTextDlg(Bstr(L"").Get(), point, wordRect.Get(), Variant::FromInt32(EPTDT_TOOLTIP_WORD).Get(),
                            Variant::FromInt32(HandleToLong(page)).Get());
  Pump(200);

  // A finished selection of a sentence.
  RECT sentence = ScreenRect(page, kSentenceBox);
  SetCursorPos(sentence.right - 5, sentence.top + 6);
  Variant sentenceRect = RectArgument(sentence);
  hr = browser->TranslateTextDlg(Bstr(kSentence).Get(), MAKELONG(sentence.right - 5, sentence.top + 6),
                                 sentenceRect.Get(), Variant::FromInt32(EPTDT_TOOLTIP_SELECTION).Get(),
                                 Variant::FromInt32(HandleToLong(page)).Get());
  printf("%-44s 0x%08lX\n", "TranslateTextDlg(sentence, selection popup)", static_cast<unsigned long>(hr));
  road.CheckResult(hr, "TranslateTextDlg(sentence, selection popup)");
  popup = WaitForPopup(L"NorvaToolTipTranslateWnd", 5000);
  Pump(300);
  CheckPopup(road, popup, sentence, folder, L"selection-popup.png", "selection popup");

  browser.Reset();
  object.Reset();
  creator.Reset();
  DestroyWindow(page);
  return road.Finish();
}
