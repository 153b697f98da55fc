// The browser object's small display methods: message boxes, AOT, web
// search, help, about, the engine's objects, and file translation input.
#include <gtest/gtest.h>

#include "DialogsTestSupport.h"
#include "TempFolder.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

namespace dialogstest {
namespace {

using platform::Bstr;
using platform::Variant;

constexpr wchar_t kFirefoxTitle[] = L"NORVA for Mozilla FireFox";

class DisplayMethods : public DialogsTest {
 protected:
  Browser browser_ = MakeBrowser(EPBT_FF);
  testsupport::DialogWatcher watcher_;
};

TEST_F(DisplayMethods, MessageBoxAnswersTheButtonAsAnInt) {
  watcher_.Press(kFirefoxTitle, IDNO);
  Variant answer;
  EXPECT_EQ(S_OK, browser_->ShowMessageBox(Bstr(L"Really?").Get(), Variant::FromUInt32(MB_YESNO).Get(),
                                           answer.Receive()));
  EXPECT_EQ(VT_INT, answer.Type());
  EXPECT_EQ(IDNO, answer.Get().intVal);
  auto seen = watcher_.Seen();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(kFirefoxTitle, seen.back().title);
}

TEST_F(DisplayMethods, MessageBoxWithoutStyleShowsAnInformationIcon) {
  HWND box = nullptr;
  LONG_PTR style = 0;
  watcher_.OnWindow(kFirefoxTitle, L"#32770", [&](HWND window) {
    box = window;
    // The information icon is a static control holding an icon.
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) style = SS_ICON;
    }
    testsupport::DialogWatcher::PressButton(window, IDOK);
  });
  EXPECT_EQ(S_OK, browser_->ShowMessageBox(Bstr(L"Note").Get(), Variant::Missing().Get(), nullptr));
  EXPECT_NE(nullptr, box);
  EXPECT_EQ(SS_ICON, style);
}

TEST_F(DisplayMethods, MessageBoxRefusesAnEmptyTextAndAWrongStyle) {
  Variant answer;
  EXPECT_EQ(E_INVALIDARG, browser_->ShowMessageBox(Bstr(L"").Get(), Variant::Missing().Get(), answer.Receive()));
  EXPECT_EQ(DISP_E_TYPEMISMATCH,
            browser_->ShowMessageBox(Bstr(L"x").Get(), Variant::FromString(L"loud").Get(), answer.Receive()));
  EXPECT_TRUE(watcher_.Seen().empty());
}

TEST_F(DisplayMethods, AotChosenSetsTheTemplate) {
  EXPECT_EQ(S_OK, browser_->ShowAot(Bstr(L"kernel text").Get()));
  EXPECT_TRUE(connector_.Called("ChooseTemplate kernel text"));
  EXPECT_EQ(L"Computer", connector_.State().activeTemplate);
}

TEST_F(DisplayMethods, AotCancelledChangesNothing) {
  connector_.State().chooseResult = E_ABORT;
  EXPECT_EQ(S_OK, browser_->ShowAot(Bstr(L"x").Get()));
  EXPECT_EQ(L"General", connector_.State().activeTemplate);
  EXPECT_FALSE(watcher_.WaitSeen(kFirefoxTitle, 100));
}

TEST_F(DisplayMethods, AotFailingShowsTheProfileMessage) {
  connector_.State().chooseResult = E_FAIL;
  watcher_.Press(kFirefoxTitle, IDOK);
  EXPECT_EQ(S_OK, browser_->ShowAot(Bstr(L"x").Get()));
  ASSERT_TRUE(watcher_.WaitSeen(kFirefoxTitle, 1000));
  auto texts = watcher_.Seen().back().texts;
  bool found = false;
  for (auto& t : texts) found = found || t.find(L"Failed to detect an appropriate translation profile") == 0;
  EXPECT_TRUE(found);
  EXPECT_EQ(L"General", connector_.State().activeTemplate);
}

TEST_F(DisplayMethods, AotWithoutServiceAnswersEPointer) {
  connector_.State().hasAot = false;
  EXPECT_EQ(E_POINTER, browser_->ShowAot(Bstr(L"x").Get()));
}

TEST_F(DisplayMethods, WebSearchAnswersTheSearchAddress) {
  Bstr result;
  EXPECT_EQ(S_OK, browser_->ShowWebSearch(Variant::FromString(L"cats").Get(), result.Receive()));
  EXPECT_EQ(L"https://search.example/?q=cats", result.Str());
  EXPECT_EQ(E_POINTER, browser_->ShowWebSearch(Variant::FromString(L"cats").Get(), nullptr));
  connector_.State().searchReady = E_FAIL;
  EXPECT_EQ(E_POINTER, browser_->ShowWebSearch(Variant::FromString(L"cats").Get(), result.Receive()));
  connector_.State().hasWebSearch = false;
  EXPECT_EQ(E_POINTER, browser_->ShowWebSearch(Variant::Missing().Get(), result.Receive()));
}

TEST_F(DisplayMethods, AboutGoesToTheConnectorWithTheBrowsersIcon) {
  EXPECT_EQ(S_OK, browser_->ShowAboutDlg());
  EXPECT_TRUE(connector_.Called("ShowAbout 209"));
}

TEST_F(DisplayMethods, EngineObjectsAreHandedOutAsDispatch) {
  platform::ComPtr<IDispatch> document, directions;
  EXPECT_EQ(S_OK, browser_->GetCtrlDoc(document.Receive()));
  EXPECT_EQ(S_OK, browser_->GetDirectirons(directions.Receive()));
  EXPECT_TRUE(document && directions);
  EXPECT_NE(document.Get(), directions.Get());
  EXPECT_EQ(E_INVALIDARG, browser_->GetCtrlDoc(nullptr));
  connector_.State().hasDesktop = false;
  EXPECT_EQ(E_INVALIDARG, browser_->GetDirectirons(directions.Receive()));
}

// Points the registered HTML Help control at a file that is not there while it lives.
class HiddenHtmlHelp {
 public:
  HiddenHtmlHelp() {
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kKey, 0, KEY_ALL_ACCESS, &key_) != ERROR_SUCCESS) {
      RegCreateKeyExW(HKEY_CLASSES_ROOT, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
      created_ = true;
    }
    DWORD size = sizeof(saved_);
    had_ = RegQueryValueExW(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(saved_), &size) == ERROR_SUCCESS;
    const wchar_t missing[] = L"C:\\nowhere\\hhctrl-missing.ocx";
    RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(missing), sizeof(missing));
  }
  ~HiddenHtmlHelp() {
    if (had_)
      RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_),
                     static_cast<DWORD>((wcslen(saved_) + 1) * sizeof(wchar_t)));
    RegCloseKey(key_);
    if (created_) RegDeleteTreeW(HKEY_CLASSES_ROOT, L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}");
  }

 private:
  static constexpr const wchar_t* kKey = L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
  HKEY key_ = nullptr;
  wchar_t saved_[1024] = {};
  bool had_ = false;
  bool created_ = false;
};

TEST_F(DisplayMethods, HelpWithoutHtmlHelpFailsClearly) {
  HiddenHtmlHelp hidden;
  watcher_.Press(kFirefoxTitle, IDOK);
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND), browser_->ShowHelp());
  EXPECT_TRUE(watcher_.WaitSeen(kFirefoxTitle, 1000));
}

TEST_F(DisplayMethods, FileTranslationWithoutASourcePathIsRefused) {
  EXPECT_EQ(E_INVALIDARG, browser_->TranslateTextWithProgress(nullptr, nullptr, Variant::Missing().Get()));
  EXPECT_EQ(E_INVALIDARG, browser_->TranslateTextWithProgress(Bstr(L"").Get(), Bstr(L"").Get(), Variant::Missing().Get()));
  EXPECT_TRUE(connector_.State().jobSources.empty());
}

}  // namespace
}  // namespace dialogstest
