// Time from TranslateTextDlg (word kind, delay 0) until Tessiva's word popup
// is on the screen with the word's entry laid out (its list holds the
// lines), against the same client's round trip of an empty call to Tessiva
// (GetSetting of a name it does not know); prints both and their ratio.
// Tessiva and the stand-in kernel must be registered (the main job does it).
//   tessiva_wordpopup_bench [requests]
#include <windows.h>

#include <chrono>
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
using Clock = std::chrono::steady_clock;

double Micro(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// Waits until the popup shows `lines` lines (at most two seconds).
bool WaitForPopup(LRESULT lines) {
  const auto end = Clock::now() + std::chrono::seconds(2);
  while (Clock::now() < end) {
    HWND popup = FindWindowW(L"NorvaToolTipWordWnd", nullptr);
    if (popup && IsWindowVisible(popup)) {
      HWND list = GetWindow(popup, GW_CHILD);
      if (list && SendMessageW(list, LB_GETCOUNT, 0, 0) == lines) return true;
    }
    Sleep(0);
  }
  return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int requests = argc > 1 ? _wtoi(argv[1]) : 40;
  platform::ComApartment apartment;
  ComPtr<IWebClassCreator> creator;
  if (FAILED(ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER))) return 1;
  ComPtr<IDispatch> object;
  if (FAILED(creator->GetProxyObject(EPBT_FF, nullptr, 0, 0, object.Receive()))) return 1;
  auto browser = object.As<INorvaBrowserClass>();
  browser->put_ActiveDirID(0x00020001);
  browser->SetSetting(Bstr(L"PopupWordDelay").Get(), Variant::FromUInt32(0).Get());

  SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 4);
  LONG box[4] = {300, 200, 340, 214};
  for (LONG i = 0; i < 4; ++i) SafeArrayPutElement(array, &i, &box[i]);
  VARIANT rectValue;
  VariantInit(&rectValue);
  rectValue.vt = VT_ARRAY | VT_I4;
  rectValue.parray = array;
  Variant rect = Variant::Adopt(rectValue);
  SetCursorPos(310, 207);
  const Variant kind = Variant::FromInt32(EPTDT_TOOLTIP_WORD);
  const Variant missing = Variant::Missing();
  // Two words in turn, so that every request looks a new word up; each is
  // laid out into the lines it has ("table" 5, "big" 3).
  const struct {
    const wchar_t* word;
    LRESULT lines;
  } words[] = {{L"table", 5}, {L"big", 3}};

  double inCall = 0;  // the request itself: look-up and layout, before the show timer
  auto show = [&](int i) {
    const auto& w = words[i % 2];
    auto before = Clock::now();
    browser->TranslateTextDlg(Bstr(w.word).Get(), MAKELONG(310, 207), rect.Get(), kind.Get(), missing.Get());
    inCall += Micro(Clock::now() - before);
    return WaitForPopup(w.lines);
  };
  for (int i = 0; i < 4; ++i) show(i);  // warm: kernel objects, tables, fonts

  int failed = 0;
  inCall = 0;
  auto start = Clock::now();
  for (int i = 0; i < requests; ++i)
    if (!show(i)) ++failed;
  const double popup = Micro(Clock::now() - start) / requests;

  Variant value;
  start = Clock::now();
  for (int i = 0; i < requests; ++i) browser->GetSetting(Bstr(L"NoSuchSetting").Get(), missing.Get(), value.Receive());
  const double empty = Micro(Clock::now() - start) / requests;

  browser->TranslateTextDlg(Bstr(L"").Get(), MAKELONG(310, 207), rect.Get(), kind.Get(), missing.Get());
  printf("word popup shown with its entry: %10.1f us per request (%d requests, %d not shown)\n", popup, requests,
         failed);
  printf("  of it the call (look-up, layout): %8.1f us\n", inCall / requests);
  printf("empty call to Tessiva:           %10.1f us per call\n", empty);
  printf("ratio popup / empty call:        %10.1f\n", popup / empty);
  return failed ? 1 : 0;
}
