#pragma once
#include <functional>

#include "DialogsTestSupport.h"
#include "SmartUrlStandIn.h"
#include "platform/com/Variant.h"

namespace dialogstest {

// A settings-frame test: the smart-URL store registered, and a frame run
// whose script acts on the frame from a watcher thread and ends it.
class FrameTest : public DialogsTest {
 protected:
  void SetUp() override { ASSERT_TRUE(store_.Registered()); }

  // Runs ShowSettings with the start page (none: missing); script gets the frame.
  HRESULT RunFrame(Browser& browser, std::function<void(HWND)> script, int startPage = -1) {
    testsupport::DialogWatcher watcher;
    watcher.OnWindow(kOptionsTitle, L"#32770", [&](HWND frame) { script(frame); });
    platform::Variant start = startPage < 0 ? platform::Variant::Missing() : platform::Variant::FromInt32(startPage);
    return browser->ShowSettings(0, start.Get());
  }

  // The page that holds the control, or null.
  static HWND PageWith(HWND frame, int controlId) {
    for (HWND page : Pages(frame))
      if (GetDlgItem(page, controlId)) return page;
    return nullptr;
  }

  ScopedSmartUrlStore store_;
  // Message boxes the pages and the browser object show.
  testsupport::DialogWatcher boxes_;
};

}  // namespace dialogstest
