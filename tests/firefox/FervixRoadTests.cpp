// The whole Firefox road: this program plays the browser (the stand-in
// XPCOM library beside it, a window of Firefox's class with accessible
// text, the extension script's observer), fervix9.dll is loaded as Firefox
// loads it, COM starts Tessiva, whose browser object works over the
// stand-in kernel.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>

#include "BrowserWindow.h"
#include "DialogWatcher.h"
#include "HostObserver.h"
#include "HtmlDocument.h"
#include "KernelStandIn.h"
#include "NorvaKernel.h"
#include "RegistrySandbox.h"
#include "TessivaLib.h"
#include "TessivaServer.h"
#include "XpcomHost.h"
#include "firefox/FervixInterfaces.h"
#include "firefox/ProxyCall.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/Variant.h"
#include "platform/win/MessagePump.h"
#include "shared/TempFiles.h"

namespace {

using platform::Bstr;
using platform::ComPtr;
using platform::Variant;
using namespace kernelstandin_test;

constexpr LONG kEnglishRussian = 0x00020001;
constexpr LONG kEnglishGerman = 0x00040001;
const std::wstring kHelloWorldRussian = L"\x043f\x0440\x0438\x0432\x0435\x0442 \x043c\x0438\x0440";
const std::wstring kHelloRussian = L"\x043f\x0440\x0438\x0432\x0435\x0442";

bool PumpUntil(const std::function<bool()>& done, DWORD ms = 20000) {
  return platform::PumpMessagesUntil(done, ms) == platform::PumpResult::Done;
}

size_t FilesIn(const std::wstring& folder) {
  size_t count = 0;
  std::error_code error;
  for (auto it = std::filesystem::directory_iterator(folder, error); !error && it != std::filesystem::end(it);
       it.increment(error))
    ++count;
  return count;
}

class FervixRoad : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    EndAllServers();
    ASSERT_EQ(0u, tessivaserver::Run(L"/RegServer"));
    ASSERT_TRUE(RegisterKernel());
    static XpcomHost host;
    if (!XpcomGlueStarted()) {
      ASSERT_EQ(NS_OK, host.Start());
      ASSERT_EQ(NS_OK, host.LoadComponentLibrary(XpcomHost::ProgramFolder() + L"fervix9.dll"));
    }
    host_ = &host;
  }
  void SetUp() override {
    EndAllServers();
    SetSwitch(L"NoMessageBoxes", 1);
    ASSERT_TRUE(browserWindow_.Create(L"Hello world, \u00ABthe (computer)\u00BB.\nGood morning 2024", 100, 120, 520,
                                      200));
    observer_ = ComPtr<HostObserver>::Share(new HostObserver());
  }
  void TearDown() override {
    component_.Reset();
    EndAllServers();
  }
  static void EndAllServers() {
    tessivaserver::EndServers();
    kernelstandin_test::EndServers();
  }
  // The component, initialised as the extension script does.
  IFervix9_2* Component() {
    if (!component_) {
      component_ = host_->Create<IFervix9_2>(kFervixContractId);
      EXPECT_TRUE(component_);
      if (!component_) return nullptr;
      PRBool ok = PR_FALSE;
      EXPECT_EQ(NS_OK, component_->Init(observer_.Get(), &ok));
      EXPECT_EQ(PR_TRUE, ok) << "Init";
    }
    return component_.Get();
  }
  // The browser object Tessiva keeps for Firefox, reached from this test.
  ComPtr<INorvaBrowserClass> BrowserObject() {
    ComPtr<IWebClassCreator> creator;
    EXPECT_EQ(S_OK, ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER));
    ComPtr<IDispatch> object;
    if (creator) creator->GetProxyObject(EPBT_FF, nullptr, 0, 0, object.Receive());
    return object.As<INorvaBrowserClass>();
  }

  static inline XpcomHost* host_ = nullptr;
  platform::ComApartment apartment_;
  testsupport::ScopedFixedKey browsers_{HKEY_CURRENT_USER, L"Software\\Norvasoft\\NRVA9\\Browsers"};
  testsupport::ScopedFixedKey switches_{HKEY_CURRENT_USER, kSwitchesKey};
  BrowserWindow browserWindow_;
  ComPtr<HostObserver> observer_;
  ComPtr<IFervix9_2> component_;
};

TEST_F(FervixRoad, InitConnectsToTessivaOnceAndListsDirectionsAndTemplates) {
  IFervix9_2* component = Component();
  ASSERT_TRUE(component);
  PRBool ok = PR_FALSE;
  EXPECT_EQ(NS_OK, component->Init(observer_.Get(), &ok));
  EXPECT_EQ(PR_TRUE, ok) << "a second Init";
  EXPECT_EQ(1u, tessivaserver::RunningServers().size());

  PRInt32 count = 0;
  EXPECT_EQ(NS_OK, component->GetDirsCount(&count));
  EXPECT_EQ(6, count);
  XpString name;
  PRInt32 id = 0;
  EXPECT_EQ(NS_OK, component->GetDir(2, name, &id));
  EXPECT_EQ(L"English-German", name.Str());
  EXPECT_EQ(kEnglishGerman, id);
  PRInt32 templates = 0;
  EXPECT_EQ(NS_OK, component->SetActiveDir(kEnglishGerman, &templates));
  EXPECT_EQ(4, templates);
  XpString templateName;
  EXPECT_EQ(NS_OK, component->GetTemplateName(1, templateName));
  EXPECT_EQ(L"Computers and Internet", templateName.Str());
  PRInt32 index = -1;
  EXPECT_EQ(NS_OK, component->GetActiveDirIndex(&index));
  EXPECT_EQ(2, index);

  // The active template is known by its id; its place comes from the proxy.
  ASSERT_EQ(S_OK, BrowserObject()->put_ActiveTplId(Bstr(L"BUSINESS").Get()));
  EXPECT_EQ(NS_OK, component->GetActiveTemplateIndex(&index));
  EXPECT_EQ(2, index);
  PRBool enabled = PR_FALSE;
  EXPECT_EQ(NS_OK, component->IsEnabled(&enabled));
  EXPECT_EQ(PR_TRUE, enabled);
  PRInt32 mode = -1;
  EXPECT_EQ(NS_OK, component->GetPageTranslateMode(&mode));
  PRBool zero = PR_FALSE;
  EXPECT_EQ(NS_OK, component->IsPageTranslateModeZero(&zero));
  EXPECT_EQ(mode == 0 ? PR_TRUE : PR_FALSE, zero);
}

TEST_F(FervixRoad, ASelectionIsTranslatedThroughExchangeFilesWhileTheBrowserThreadPumps) {
  IFervix9_2* component = Component();
  ASSERT_TRUE(component);
  const std::wstring temp = EnsureTempFolder();
  const size_t filesBefore = FilesIn(temp);
  SetSwitch(L"JobStepDelay", 150);
  // A timer of the browser's thread keeps firing during the call.
  static int ticks = 0;
  ticks = 0;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { ++ticks; });
  testsupport::DialogWatcher watcher(true);
  std::wstring text;
  for (int i = 0; i < 6; ++i) text += L"hello world\r\n";
  XpString selection(text), noTemplate(L"GENERAL");
  EXPECT_EQ(NS_OK, component->TranslateSelection(selection, kEnglishRussian, noTemplate));
  KillTimer(nullptr, timer);
  ASSERT_TRUE(observer_->Saw(L"OnTextTranslated"));
  std::wstring result = observer_->LastTranslatedText();
  EXPECT_EQ(0u, result.find(kHelloWorldRussian + L"\r\n" + kHelloWorldRussian)) << "no byte-order mark in front";
  EXPECT_GE(ticks, 3) << "the browser's thread went on dispatching";
  EXPECT_EQ(filesBefore, FilesIn(temp)) << "both exchange files are gone";
}

TEST_F(FervixRoad, APageIsTranslatedAndTheBrowserStaysDisabledUntilTheScriptEnablesIt) {
  IFervix9_2* component = Component();
  ASSERT_TRUE(component);
  testsupport::DialogWatcher watcher(true);
  ComPtr<HtmlDocument> document = ComPtr<HtmlDocument>::Share(
      new HtmlDocument(L"<html><head><title>hello</title></head><body><p>hello world</p></body></html>"));
  XpString url(L"http://example.test/news/index.html"), templateId(L"GENERAL");
  SetForegroundWindow(browserWindow_.Hwnd());
  EXPECT_EQ(NS_OK, component->RememberForegroundWindow());
  EXPECT_EQ(NS_OK, component->TranslateDocument(document->ScriptObject(), nullptr, url, kEnglishRussian, templateId));
  ASSERT_TRUE(observer_->Saw(L"OnPageTranslated"));
  const std::wstring page = observer_->LastTranslatedPage();
  EXPECT_NE(std::wstring::npos, page.find(L"<title>" + kHelloRussian + L"</title>")) << "UTF-8 read back";
  EXPECT_NE(0xFEFF, page.empty() ? 0 : page[0]) << "no byte-order mark in front";
  // (Tessiva's progress dialog enables the browser window it disabled itself.)
  EnableWindow(browserWindow_.Hwnd(), TRUE);

  XpString frame;
  PRBool ok = PR_FALSE;
  EXPECT_EQ(NS_OK, component->TranslateFrame(document->ScriptObject(), url, frame, kEnglishRussian, templateId, &ok));
  EXPECT_EQ(PR_TRUE, ok);
  EXPECT_NE(std::wstring::npos, frame.Str().find(L"<p>" + kHelloWorldRussian + L"</p>"));
  EXPECT_TRUE(IsWindowEnabled(browserWindow_.Hwnd())) << "a frame disables nothing";

  // A failing translation gives the window back.
  SetSwitch(L"FailTranslation", 0x80004005);
  EXPECT_EQ(NS_OK, component->RememberForegroundWindow());
  EXPECT_EQ(NS_ERROR_FAILURE, component->TranslateDocument(document->ScriptObject(), nullptr, url, kEnglishRussian, templateId));
  EXPECT_TRUE(IsWindowEnabled(browserWindow_.Hwnd()));
}

TEST_F(FervixRoad, TheRememberedWindowIsTheOneDisabled) {
  IFervix9_2* component = Component();
  ASSERT_TRUE(component);
  SetForegroundWindow(browserWindow_.Hwnd());
  if (GetForegroundWindow() != browserWindow_.Hwnd()) GTEST_SKIP() << "the display gives no foreground window";
  EXPECT_EQ(NS_OK, component->RememberForegroundWindow());
  SetForegroundWindow(GetDesktopWindow());
  EXPECT_EQ(NS_OK, component->DisableBrowserWindow());
  EXPECT_FALSE(IsWindowEnabled(browserWindow_.Hwnd()));
  EnableWindow(browserWindow_.Hwnd(), TRUE);
}

TEST_F(FervixRoad, AnElementIsTranslatedInPlace) {
  IFervix9_2* component = Component();
  ASSERT_TRUE(component);
  ComPtr<HtmlElement> source = ComPtr<HtmlElement>::Share(new HtmlElement(L"p", L"hello world"));
  ComPtr<HtmlElement> target = ComPtr<HtmlElement>::Share(new HtmlElement(L"p", L""));
  XpString templateId(L"GENERAL");
  EXPECT_EQ(NS_OK, component->TranslateElement(source->ScriptObject(), target->ScriptObject(), kEnglishRussian,
                                               templateId));
  EXPECT_EQ(kHelloWorldRussian, target->InnerHtml());
}

// Settings, web search and template choice are called by name on a worker
// thread; each reaches the browser object whatever it answers.
TEST_F(FervixRoad, DialogCallsReachTheBrowserObjectByName) {
  IFervix9_2* component = Component();
  ASSERT_TRUE(component);
  testsupport::DialogWatcher watcher(true);
  watcher.OnWindow(L"", L"", [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); });
  ComPtr<INorvaBrowserClass> browser = BrowserObject();
  ASSERT_TRUE(browser);
  for (const wchar_t* name : {L"ShowSettings", L"ShowWebSearch", L"ShowAot"}) {
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_I4;
    arg.lVal = 0;
    if (std::wstring(name) != L"ShowSettings") {
      arg.vt = VT_BSTR;
      arg.bstrVal = SysAllocString(L"hello");
    }
    Variant result;
    HRESULT hr = CallProxyMethod(browser.Get(), name, &arg, 1, result.Ptr());
    VariantClear(&arg);
    EXPECT_NE(DISP_E_UNKNOWNNAME, hr) << testing::PrintToString(std::wstring(name));
    EXPECT_NE(E_FAIL, hr) << "the worker ran";
  }
  EXPECT_EQ(DISP_E_UNKNOWNNAME, CallProxyMethod(browser.Get(), L"NoSuchMethod", nullptr, 0, nullptr));

  EXPECT_EQ(NS_OK, component->ShowSettings());
  XpString query(L"hello"), answer;
  PRBool found = PR_TRUE;
  EXPECT_EQ(NS_OK, component->ShowWebSearch(query, answer, &found));
  observer_->ClearCalls();
  EXPECT_EQ(NS_OK, component->ShowAot(query));
  EXPECT_TRUE(observer_->Saw(L"OnListsChanged"));
  ULONG index = 0;
  ASSERT_EQ(S_OK, browser->get_ActiveTplIndex(&index));
  EXPECT_TRUE(observer_->Saw(L"OnActiveTemplateIndexChanged " + std::to_wstring(index)));
}

// ShowAot tells the script where the chosen template stands in the list
// (the kernel knows it by an identifier unlike its display name), or the
// list's length when no row holds the active template; GetActiveTemplateIndex
// answers 0 then.
TEST_F(FervixRoad, ShowAotTellsTheObserverThePlaceOfTheActiveTemplate) {
  SetSwitch(L"OwnAnalyzer", 1);
  IFervix9_2* component = Component();
  ASSERT_TRUE(component);
  PRInt32 templates = 0;
  ASSERT_EQ(NS_OK, component->SetActiveDir(kEnglishRussian, &templates));
  ASSERT_EQ(4, templates);
  // The analyzer asks with its box: OK takes its best template.
  testsupport::DialogWatcher watcher(true);
  watcher.Press(L"Template analyzer", IDOK);
  XpString medical(L"After the operation the virus was gone; a second operation followed.");
  observer_->ClearCalls();
  EXPECT_EQ(NS_OK, component->ShowAot(medical));
  EXPECT_TRUE(observer_->Saw(L"OnListsChanged"));
  EXPECT_TRUE(observer_->Saw(L"OnActiveTemplateIndexChanged 3")) << "Medicine, the fourth row";
  PRInt32 index = -1;
  EXPECT_EQ(NS_OK, component->GetActiveTemplateIndex(&index));
  EXPECT_EQ(3, index);

  // No row holds the active template.
  SetSwitchText(L"FailCall", L"INrvaTemplateList.IndexOf");
  observer_->ClearCalls();
  EXPECT_EQ(NS_OK, component->ShowAot(medical));
  EXPECT_TRUE(observer_->Saw(L"OnActiveTemplateIndexChanged 4")) << "the count";
  EXPECT_EQ(NS_OK, component->GetActiveTemplateIndex(&index));
  EXPECT_EQ(0, index);
}

// Every setting the script reads answers on a fresh profile: those without
// a default give the missing value's field, which the option pages count as on.
TEST_F(FervixRoad, SettingsAreReadOnAFreshProfile) {
  IFervix9_2* component = Component();
  ASSERT_TRUE(component);
  PRInt32 value = 0;
  EXPECT_EQ(NS_OK, component->GetPageTranslateSyncScroll(&value));
  EXPECT_NE(0, value) << "on, as the page-translation page shows it";
  EXPECT_EQ(NS_OK, component->GetPageTranslateMode(&value));
  EXPECT_EQ(0, value);
  PRBool flag = PR_TRUE;
  EXPECT_EQ(NS_OK, component->IsWebSearchMode(&flag));
  EXPECT_EQ(PR_FALSE, flag);
  ComPtr<INorvaBrowserClass> browser = BrowserObject();
  ASSERT_TRUE(browser);
  ASSERT_EQ(S_OK, browser->SetSetting(Bstr(L"PageTranslateSyncScroll").Get(), Variant::FromUInt32(0).Get()));
  EXPECT_EQ(NS_OK, component->GetPageTranslateSyncScroll(&value));
  EXPECT_EQ(0, value);
}

// The kernel's control events reach the script's observer.
TEST_F(FervixRoad, KernelEventsReachTheObserver) {
  IFervix9_2* component = Component();
  ASSERT_TRUE(component);
  ComPtr<INorvaBrowserClass> browser = BrowserObject();
  ASSERT_TRUE(browser);
  ComPtr<IDispatch> directions;
  ASSERT_EQ(S_OK, browser->GetDirectirons(directions.Receive()));
  auto source = directions.As<INrvaStandInEventSource>();
  ASSERT_TRUE(source);
  LONG active = 0;
  ASSERT_EQ(S_OK, browser->get_ActiveDirID(&active));
  ULONG dirIndex = 0;
  ASSERT_EQ(S_OK, browser->get_ActiveDirIndex(&dirIndex));
  Bstr none;

  observer_->ClearCalls();
  EXPECT_EQ(S_OK, source->FireEvent(21, 0, none.Get(), none.Get()));
  EXPECT_TRUE(PumpUntil([&] { return observer_->Saw(L"OnListsChanged"); }));
  EXPECT_TRUE(observer_->Saw(L"OnActiveDirIndexChanged " + std::to_wstring(dirIndex)));

  observer_->ClearCalls();
  EXPECT_EQ(S_OK, source->FireEvent(14, active == kEnglishGerman ? kEnglishRussian : kEnglishGerman, none.Get(),
                                    none.Get()));
  EXPECT_EQ(S_OK, source->FireEvent(14, active, none.Get(), none.Get()));
  EXPECT_TRUE(PumpUntil([&] { return observer_->Saw(L"OnListsChanged"); }));
  EXPECT_EQ(1u, observer_->Calls().size()) << "another direction's list changes nothing";

  // A renamed template that is not the active one still ends with the index.
  ASSERT_EQ(S_OK, browser->put_ActiveTplId(Bstr(L"COMPUTER").Get()));
  observer_->ClearCalls();
  EXPECT_EQ(S_OK, source->FireEvent(16, active, Bstr(L"MEDICAL").Get(), Bstr(L"MEDICINE").Get()));
  EXPECT_TRUE(PumpUntil([&] { return observer_->Saw(L"OnActiveTemplateIndexChanged 1"); }));

  observer_->ClearCalls();
  EXPECT_EQ(S_OK, source->FireEvent(22, 0, none.Get(), none.Get()));
  EXPECT_TRUE(PumpUntil([&] { return observer_->Saw(L"OnActiveTemplateIndexChanged 1"); }));
}

// Tessiva ends in the middle of a selection's job (as a session end ends it:
// a process killed with its class objects registered would leave them
// registered for the rest of the Wine session): the call comes back with
// no partial result, in bounded time (the session end may let the running
// job finish first).
TEST_F(FervixRoad, ATessivaThatGoesDuringACallEndsTheCallInBoundedTime) {
  IFervix9_2* component = Component();
  ASSERT_TRUE(component);
  SetSwitch(L"JobStepDelay", 500);
  testsupport::DialogWatcher watcher(true);
  std::wstring text;
  for (int i = 0; i < 40; ++i) text += L"hello world\r\n";
  XpString selection(text), templateId(L"GENERAL");
  std::thread killer([] {
    Sleep(2000);
    tessivaserver::EndServers();
  });
  DWORD start = GetTickCount();
  EXPECT_EQ(NS_OK, component->TranslateSelection(selection, kEnglishRussian, templateId));
  DWORD took = GetTickCount() - start;
  killer.join();
  EXPECT_LT(took, 60000u);
  // (Tessiva answers S_OK with an empty file for a job its end cut short.)
  if (observer_->Saw(L"OnTextTranslated") && !observer_->LastTranslatedText().empty()) {
    EXPECT_EQ(0u, observer_->LastTranslatedText().find(kHelloWorldRussian)) << "a whole result or none: " << testing::PrintToString(observer_->LastTranslatedText().substr(0, 60));
  }
  PRInt32 count = 0;
  EXPECT_EQ(NS_ERROR_FAILURE, component->GetDirsCount(&count)) << "the browser object is gone";
}

// The product's temporary folder cannot be made: nothing is sent, nothing hangs.
TEST_F(FervixRoad, WithoutATemporaryFolderASelectionIsNotSent) {
  IFervix9_2* component = Component();
  ASSERT_TRUE(component);
  const wchar_t* folders = L"SOFTWARE\\Norvasoft\\NRVA9\\Folders";
  wchar_t old[MAX_PATH] = {};
  DWORD size = sizeof(old);
  bool had = RegGetValueW(HKEY_LOCAL_MACHINE, folders, L"Temp", RRF_RT_REG_SZ, nullptr, old, &size) == ERROR_SUCCESS;
  const wchar_t unreachable[] = L"Q:\\no\\such\\drive\\";
  ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_LOCAL_MACHINE, folders, L"Temp", REG_SZ, unreachable, sizeof(unreachable)));
  XpString selection(L"hello"), templateId(L"GENERAL");
  EXPECT_EQ(NS_OK, component->TranslateSelection(selection, kEnglishRussian, templateId));
  EXPECT_FALSE(observer_->Saw(L"OnTextTranslated"));
  if (had)
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, folders, L"Temp", REG_SZ, old, static_cast<DWORD>((wcslen(old) + 1) * 2));
  else
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, folders, L"Temp");
}

TEST_F(FervixRoad, TheScriptMayLetTheComponentGoWhileItsCallRuns) {
  IFervix9_2* component = Component();
  ASSERT_TRUE(component);
  testsupport::DialogWatcher watcher(true);
  observer_->onCall = [this](const std::wstring& call) {
    if (call == L"OnTextTranslated") component_.Reset();  // the last reference
  };
  XpString selection(L"hello world"), templateId(L"GENERAL");
  EXPECT_EQ(NS_OK, component->TranslateSelection(selection, kEnglishRussian, templateId));
  EXPECT_FALSE(component_);
  EXPECT_EQ(kHelloWorldRussian, observer_->LastTranslatedText());
}

TEST_F(FervixRoad, AGoneComponentHearsNoMoreEventsAndTessivaGoesOn) {
  ASSERT_TRUE(Component());
  ComPtr<INorvaBrowserClass> browser = BrowserObject();
  ASSERT_TRUE(browser);
  ComPtr<IDispatch> directions;
  ASSERT_EQ(S_OK, browser->GetDirectirons(directions.Receive()));
  auto source = directions.As<INrvaStandInEventSource>();
  ASSERT_TRUE(source);
  component_.Reset();
  observer_->ClearCalls();
  Bstr none;
  EXPECT_EQ(S_OK, source->FireEvent(21, 0, none.Get(), none.Get()));
  EXPECT_EQ(S_OK, source->FireEvent(22, 0, none.Get(), none.Get()));
  PumpUntil([] { return false; }, 500);
  EXPECT_TRUE(observer_->Calls().empty());
  LONG disabled = 1;
  EXPECT_EQ(S_OK, browser->get_IsDisable(&disabled));
}

TEST_F(FervixRoad, PageDetectionSetsDirectionAndTemplateOnlyOnAnAnswer) {
  IFervix9_2* component = Component();
  ASSERT_TRUE(component);
  XpString url(L"http://example.test/"), source(L"<html><body>hello world</body></html>");
  observer_->ClearCalls();
  EXPECT_EQ(NS_OK, component->DetectPage(url, source));
  EXPECT_EQ(NS_OK, component->DetectPage2(url, source, source));
  // The browser object answers S_OK with the page's direction once it detects
  // pages; then both choosers follow, in this order.
  const auto& calls = observer_->Calls();
  EXPECT_TRUE(calls.size() % 2 == 0);
  for (size_t i = 0; i + 1 < calls.size(); i += 2) {
    EXPECT_EQ(0u, calls[i].find(L"OnActiveDirIndexChanged"));
    EXPECT_EQ(0u, calls[i + 1].find(L"OnActiveTemplateIndexChanged"));
  }
}

TEST_F(FervixRoad, WithoutAWorkingKernelTheComponentIsNotEnabled) {
  SetSwitch(L"FailLogOn", 1);
  auto component = host_->Create<IFervix9_2>(kFervixContractId);
  ASSERT_TRUE(component);
  PRBool ok = PR_FALSE;
  EXPECT_EQ(NS_OK, component->Init(observer_.Get(), &ok));
  if (!ok) {
    EXPECT_TRUE(observer_->Saw(L"OnDisable 1"));
  }
  PRBool enabled = PR_TRUE;
  EXPECT_EQ(NS_OK, component->IsEnabled(&enabled));
  EXPECT_EQ(PR_FALSE, enabled);
}

// The hook library's messages reach the component's window, which reads the
// word under the pointer from the browser window's accessible text.
TEST_F(FervixRoad, AMouseMoveOverTheBrowserReadsTheWordUnderThePointer) {
  ASSERT_TRUE(Component());
  HMODULE hook = GetModuleHandleW(L"NorvaBrowserHook.dll");
  if (!hook) hook = LoadLibraryW(L"NorvaBrowserHook.dll");
  ASSERT_TRUE(hook);
  using PostOne = int(__cdecl*)(LONG, const wchar_t*, ULONG, int, int);
  auto post = reinterpret_cast<PostOne>(GetProcAddress(hook, "HookTestPostMessage"));
  ASSERT_TRUE(post);
  POINT point = browserWindow_.PointOnWord(L"computer");
  const long before = browserWindow_.TextReads();
  ASSERT_EQ(1, post(EPBT_FF, L"WM_BROWSERHOOK_MOUSE_MOVE",
                    static_cast<ULONG>(reinterpret_cast<ULONG_PTR>(browserWindow_.Hwnd())), point.x, point.y));
  EXPECT_TRUE(PumpUntil([&] { return browserWindow_.TextReads() > before; }, 10000));
}

}  // namespace
