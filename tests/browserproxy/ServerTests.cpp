// Tessiva.exe as a local server that COM starts for a client in another
// process: sharing, calls by DISPID, bad input, settings that survive a
// kill, and the server ending by itself.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "BrowserTestSupport.h"
#include "ChildProcess.h"
#include "HookLog.h"
#include "KernelStandIn.h"
#include "ServerProcess.h"
#include "TessivaLib.h"
#include "TessivaServer.h"
#include "TessivaServersTest.h"
#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"
#include "platform/win/MessagePump.h"

namespace {

using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

class Server : public TessivaServersTest {
 protected:
  void SetUp() override {
    EndAllServers();
    hooklog::Clear();
  }
  void TearDown() override { EndAllServers(); }

  ComPtr<IWebClassCreator> CreateCreator() {
    ComPtr<IWebClassCreator> creator;
    HRESULT hr = ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER);
    EXPECT_EQ(S_OK, hr);
    return creator;
  }
  ComPtr<INorvaBrowserClass> Browser(IWebClassCreator* creator, ENorvaBrowserType type, LONG handler = 0) {
    ComPtr<IDispatch> object;
    HRESULT hr = creator->GetProxyObject(type, nullptr, 0, handler, object.Receive());
    EXPECT_TRUE(hr == S_OK || hr == S_FALSE) << std::hex << hr;
    return object.As<INorvaBrowserClass>();
  }
  // The process serving the object, asked over COM.
  static HANDLE OpenServer(IDispatch* object) {
    const DWORD id = testsupport::ServingProcessId(object);
    if (!id) return nullptr;
    return OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, id);
  }
  // Milliseconds until the process ends, or -1 past the limit.
  static long WaitForEnd(HANDLE process, DWORD limitMs) {
    auto start = std::chrono::steady_clock::now();
    if (WaitForSingleObject(process, limitMs) != WAIT_OBJECT_0) return -1;
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
  }

  platform::ComApartment apartment_;
  testsupport::ScopedFixedKey browsers_{HKEY_CURRENT_USER, kBrowsersKey};
  testsupport::ScopedFixedKey kernelSwitches_{HKEY_CURRENT_USER, kernelstandin_test::kSwitchesKey};
};

// A window of this process standing for a plug-in's hook-handler window.
class HandlerWindow {
 public:
  HandlerWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ServerTestHandler";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    received_ = 0;
  }
  ~HandlerWindow() { DestroyWindow(hwnd_); }
  LONG Handle() const { return static_cast<LONG>(reinterpret_cast<LONG_PTR>(hwnd_)); }
  static int Received() { return received_; }

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m >= 0xC000 && m <= 0xFFFF) ++received_;
    return DefWindowProcW(h, m, w, l);
  }
  HWND hwnd_;
  static inline int received_ = 0;
};

TEST_F(Server, ClientsShareTheBrowserObjectOfATypeAndTheHookReachesTheirWindow) {
  HandlerWindow handler;
  auto creator = CreateCreator();
  ASSERT_TRUE(creator);
  auto first = Browser(creator.Get(), EPBT_FF, handler.Handle());
  auto second = Browser(creator.Get(), EPBT_FF);
  auto other = Browser(creator.Get(), EPBT_IE);
  ASSERT_TRUE(first && second && other);
  EXPECT_TRUE(platform::SameObject(first, second));
  EXPECT_FALSE(platform::SameObject(first, other));

  // Another process sets a value that lives only in the object's memory.
  auto child = testsupport::RunChild(
      L"\"" + testsupport::SiblingPath(L"tessiva_test_client.exe") + L"\" setreal 2 SharedValue 2.5", 60000);
  ASSERT_EQ(0u, child.exitCode) << child.output;
  Variant value;
  EXPECT_EQ(S_OK, first->GetSetting(Bstr(L"SharedValue").Get(), Variant::Missing().Get(), value.Receive()));
  EXPECT_EQ(VT_R8, value.Type());
  EXPECT_EQ(2.5, value.Get().dblVal);

  std::vector<std::string> calls = hooklog::Calls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ("LoadHook", calls[0]);
  EXPECT_EQ("SetBrowserHook 2 " + std::to_string(handler.Handle()), calls[1]);
  EXPECT_EQ(2u, calls.size()) << "no hook call without a handler window";

  // The hook library, bound inside Tessiva, posts to this process's window.
  HMODULE hook = LoadLibraryW(testsupport::SiblingPath(L"NorvaBrowserHook.dll").c_str());
  ASSERT_NE(nullptr, hook);
  auto post = reinterpret_cast<int(__cdecl*)(LONG, LONG, int, int)>(GetProcAddress(hook, "HookTestPostMessages"));
  EXPECT_EQ(6, post(EPBT_FF, 0, 10, 10));
  platform::PumpMessagesUntil([] { return HandlerWindow::Received() >= 6; }, 5000);
  EXPECT_EQ(6, HandlerWindow::Received());
  FreeLibrary(hook);
}

TEST_F(Server, CallsByDispidWithMissingOptionalArguments) {
  auto creator = CreateCreator();
  ASSERT_TRUE(creator);
  DISPID id = 0;
  LPOLESTR name = const_cast<LPOLESTR>(L"GetProxyObject");
  ASSERT_EQ(S_OK, creator->GetIDsOfNames(IID_NULL, &name, 1, 0, &id));
  EXPECT_EQ(1, id);

  // GetProxyObject(Type, pAppIntegration, ParentHwnd, HandlerHwnd): arguments in reverse order.
  VARIANT args[4];
  for (auto& a : args) VariantInit(&a);
  args[3].vt = VT_I4, args[3].lVal = EPBT_CROME;
  args[2].vt = VT_UNKNOWN, args[2].punkVal = nullptr;
  args[1].vt = VT_I4, args[1].lVal = 0;
  args[0].vt = VT_I4, args[0].lVal = 0;
  DISPPARAMS params = {args, nullptr, 4, 0};
  Variant result;
  HRESULT hr = creator->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &params, result.Receive(), nullptr, nullptr);
  ASSERT_TRUE(SUCCEEDED(hr)) << std::hex << hr;
  ASSERT_EQ(VT_DISPATCH, result.Type());
  ComPtr<IDispatch> browser = ComPtr<IDispatch>::Share(result.Get().pdispVal);

  name = const_cast<LPOLESTR>(L"GetSetting");
  ASSERT_EQ(S_OK, browser->GetIDsOfNames(IID_NULL, &name, 1, 0, &id));
  EXPECT_EQ(27, id);
  // GetSetting with its optional DefVal left out.
  Variant settingName = Variant::FromString(L"PopupWordDelay");
  DISPPARAMS one = {settingName.Ptr(), nullptr, 1, 0};
  EXPECT_EQ(S_OK, browser->Invoke(27, IID_NULL, 0, DISPATCH_METHOD, &one, result.Receive(), nullptr, nullptr));
  EXPECT_EQ(VT_UI4, result.Type());
  EXPECT_EQ(500u, result.Get().ulVal);

  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  EXPECT_EQ(S_OK, browser->Invoke(15, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, result.Receive(), nullptr, nullptr));
  EXPECT_EQ(EPBT_CROME, result.Get().lVal) << "BrowserType by DISPID";

  name = const_cast<LPOLESTR>(L"GetPageInformation2");
  EXPECT_EQ(S_OK, browser->GetIDsOfNames(IID_NULL, &name, 1, 0, &id)) << "INorvaBrowserClass2 by name";
  EXPECT_EQ(31, id);
  auto second = browser.As<INorvaBrowserClass2>();
  EXPECT_TRUE(second) << "the same object answers INorvaBrowserClass2";
}

TEST_F(Server, BadInputIsAnsweredAndTheServerKeepsServing) {
  auto creator = CreateCreator();
  ASSERT_TRUE(creator);
  for (long type : {4L, -1L}) {
    ComPtr<IDispatch> object;
    EXPECT_EQ(E_FAIL, creator->GetProxyObject(static_cast<ENorvaBrowserType>(type), nullptr, 0, 0, object.Receive()))
        << "type " << type;
    EXPECT_FALSE(object) << "type " << type;
  }
  EXPECT_TRUE(FAILED(creator->GetProxyObject(EPBT_FF, nullptr, 0, 0, nullptr))) << "null out-pointer";

  auto browser = Browser(creator.Get(), EPBT_FF);
  ASSERT_TRUE(browser);
  EXPECT_TRUE(FAILED(browser->get_BrowserType(nullptr)));
  EXPECT_TRUE(FAILED(browser->GetSetting(Bstr(L"x").Get(), Variant::Missing().Get(), nullptr)));

  struct DispatchCase {
    const char* what;
    DISPID id;
    std::vector<Variant> args;  // in reverse order
    std::vector<HRESULT> accepted;
  };
  std::vector<DispatchCase> cases;
  {
    DispatchCase c{"GetSetting without its name", 27, {}, {DISP_E_PARAMNOTFOUND, DISP_E_BADPARAMCOUNT}};
    cases.push_back(std::move(c));
  }
  {
    DispatchCase c{"SetSetting with one argument", 26, {}, {DISP_E_PARAMNOTFOUND, DISP_E_BADPARAMCOUNT}};
    c.args.push_back(Variant::FromString(L"Name"));
    cases.push_back(std::move(c));
  }
  {
    DispatchCase c{"DirName with a text index", 7, {}, {DISP_E_TYPEMISMATCH}};
    c.args.push_back(Variant::FromString(L"not a number"));
    cases.push_back(std::move(c));
  }
  {
    DispatchCase c{"SetSetting with an unsupported name type", 26, {}, {DISP_E_TYPEMISMATCH}};
    c.args.push_back(Variant::FromInt32(1));
    VARIANT unknown;
    VariantInit(&unknown);
    unknown.vt = VT_UNKNOWN;
    unknown.punkVal = nullptr;
    c.args.push_back(Variant::Adopt(unknown));
    cases.push_back(std::move(c));
  }
  for (auto& c : cases) {
    std::vector<VARIANT> raw;
    for (auto& a : c.args) raw.push_back(a.Get());
    DISPPARAMS params = {raw.data(), nullptr, static_cast<UINT>(raw.size()), 0};
    Variant result;
    EXCEPINFO exception = {};
    UINT argError = 0;
    HRESULT hr = browser->Invoke(c.id, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, result.Receive(),
                                 &exception, &argError);
    bool accepted = false;
    for (HRESULT a : c.accepted) accepted |= (hr == a);
    EXPECT_TRUE(accepted) << c.what << ": 0x" << std::hex << hr;
  }
  // A type 4 through IDispatch reaches the method and fails the creation there.
  VARIANT args[4];
  for (auto& a : args) VariantInit(&a);
  args[3].vt = VT_I4, args[3].lVal = 4;
  args[2].vt = VT_UNKNOWN, args[2].punkVal = nullptr;
  args[1].vt = VT_I4;
  args[0].vt = VT_I4;
  DISPPARAMS params = {args, nullptr, 4, 0};
  Variant result;
  EXCEPINFO exception = {};
  HRESULT hr = creator->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &params, result.Receive(), &exception, nullptr);
  EXPECT_TRUE(hr == E_FAIL || (hr == DISP_E_EXCEPTION && exception.scode == E_FAIL)) << std::hex << hr;
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);

  // Still serving.
  Variant value;
  EXPECT_EQ(S_OK, browser->GetSetting(Bstr(L"LimitedTextAmount").Get(), Variant::Missing().Get(), value.Receive()));
  EXPECT_EQ(100u, value.Get().ulVal);
  EXPECT_TRUE(Browser(creator.Get(), EPBT_OPERA));
}

TEST_F(Server, AnAcknowledgedSettingSurvivesAKilledServer) {
  auto creator = CreateCreator();
  ASSERT_TRUE(creator);
  auto browser = Browser(creator.Get(), EPBT_FF);
  ASSERT_TRUE(browser);
  ASSERT_EQ(S_OK, browser->SetSetting(Bstr(L"PopupWordDelay").Get(), Variant::FromUInt32(777).Get()));
  ASSERT_EQ(S_OK, browser->SetSetting(Bstr(L"TranslateWordPopupKey").Get(), Variant::FromString(L"F2").Get()));
  LONG firstDirection = 0;
  ASSERT_EQ(S_OK, browser->get_DirID(0, &firstDirection));
  tessivaserver::KillServersInFinalPause();
  ASSERT_TRUE(tessivaserver::RunningServers().empty());
  // The killed server held the kernel's objects.
  kernelstandin_test::EndServers();
  const std::wstring key = std::wstring(kBrowsersKey) + L"\\FireFox";
  EXPECT_EQ(777u, RegDword(HKEY_CURRENT_USER, key, L"PopupWordDelay"));
  DWORD type = 0;
  std::vector<BYTE> text;
  EXPECT_TRUE(testsupport::GetRegValue(HKEY_CURRENT_USER, key, L"TranslateWordPopupKey", &type, &text));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  std::wstring stored(reinterpret_cast<const wchar_t*>(text.data()), text.size() / sizeof(wchar_t));
  while (!stored.empty() && stored.back() == L'\0') stored.pop_back();
  EXPECT_EQ(L"F2", stored);
  EXPECT_EQ(static_cast<DWORD>(firstDirection), RegDword(HKEY_CURRENT_USER, key, L"lastDirID"))
      << "the direction chosen at the first start";
  // The proxies point at a server that is gone; they are let go unused.
  browser.Detach();
  creator.Detach();

  auto fresh = CreateCreator();
  ASSERT_TRUE(fresh);
  auto again = Browser(fresh.Get(), EPBT_FF);
  ASSERT_TRUE(again);
  Variant value;
  EXPECT_EQ(S_OK, again->GetSetting(Bstr(L"PopupWordDelay").Get(), Variant::Missing().Get(), value.Receive()));
  EXPECT_EQ(777u, value.Get().ulVal);
}

TEST_F(Server, EndsByItselfAfterTheLastObjectWithoutBrowserObjects) {
  const CLSID* classes[] = {&CLSID_WebClassCreator, &CLSID_NorvaIEContextMenu};
  for (const CLSID* clsid : classes) {
    std::string context = clsid == &CLSID_WebClassCreator ? "entry object" : "context-menu object";
    ComPtr<IDispatch> object;
    ASSERT_EQ(S_OK, ComPtr<IDispatch>::TryCreate(*clsid, &object, CLSCTX_LOCAL_SERVER)) << context;
    HANDLE process = OpenServer(object.Get());
    ASSERT_NE(nullptr, process) << context;
    object.Reset();
    long ms = WaitForEnd(process, 15000);
    CloseHandle(process);
    EXPECT_GE(ms, 4800) << context << ": not before the idle time";
    EXPECT_LE(ms, 5000 + 1000 + 2500) << context << ": idle time, final pause and slack";
    EXPECT_NE(-1, ms) << context;
  }
}

TEST_F(Server, ANewCreationDuringTheWaitKeepsItAlive) {
  ComPtr<IDispatch> object;
  ASSERT_EQ(S_OK, ComPtr<IDispatch>::TryCreate(CLSID_WebClassCreator, &object, CLSCTX_LOCAL_SERVER));
  HANDLE process = OpenServer(object.Get());
  ASSERT_NE(nullptr, process);
  const DWORD serverId = GetProcessId(process);
  object.Reset();
  // Three seconds into its idle time the server still runs.
  ASSERT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process, 3000));
  ASSERT_EQ(S_OK, ComPtr<IDispatch>::TryCreate(CLSID_WebClassCreator, &object, CLSCTX_LOCAL_SERVER));
  EXPECT_EQ(1u, tessivaserver::RunningServers().size()) << "the same server serves";
  EXPECT_EQ(serverId, testsupport::ServingProcessId(object.Get())) << "the same server serves";
  object.Reset();
  long ms = WaitForEnd(process, 15000);
  CloseHandle(process);
  EXPECT_GE(ms, 4800) << "the wait starts anew after the second release";
  EXPECT_NE(-1, ms);
}

}  // namespace

// The entry object keeps each browser object, but only a client's reference
// holds the server: when the last client let go, Tessiva ends after its idle
// time, the stand-in kernel server with it, and the next client gets a new
// server that logs on to the kernel again (a refused log-on does not last).
TEST_F(Server, EndsWhenItsClientsAreGoneAndTheNextClientLogsOnAgain) {
  kernelstandin_test::SetSwitch(L"NoMessageBoxes", 1);
  kernelstandin_test::SetSwitch(L"FailLogOn", 1);
  DWORD firstServer = 0;
  testsupport::ServerProcess tessiva;
  std::vector<testsupport::ServerProcess> kernelServers;
  {
    auto creator = CreateCreator();
    ASSERT_TRUE(creator);
    auto browser = Browser(creator.Get(), EPBT_FF);
    ASSERT_TRUE(browser);
    LONG disabled = 0;
    EXPECT_EQ(S_OK, browser->get_IsDisable(&disabled));
    EXPECT_NE(0, disabled) << "the log-on was refused";
    auto ids = tessivaserver::RunningServers();
    ASSERT_EQ(1u, ids.size());
    firstServer = ids.front();
    tessiva = testsupport::ServerProcess(firstServer);
    // The kernel's local server, where Tessiva's log-on started one.
    for (DWORD id : testsupport::ProcessesStartedBy(firstServer)) kernelServers.emplace_back(id);
  }
  kernelstandin_test::SetSwitch(L"FailLogOn", 0);
  // Idle time and final pause of Tessiva, then those of the kernel server.
  EXPECT_TRUE(tessiva.WaitForEnd(5000 + 1000 + 4000)) << "Tessiva still runs without clients";
  for (const auto& kernel : kernelServers)
    EXPECT_TRUE(kernel.WaitForEnd(2000 + 200 + 4000)) << "the kernel server still runs";

  auto creator = CreateCreator();
  ASSERT_TRUE(creator);
  auto browser = Browser(creator.Get(), EPBT_FF);
  ASSERT_TRUE(browser);
  auto ids = tessivaserver::RunningServers();
  ASSERT_EQ(1u, ids.size());
  EXPECT_NE(firstServer, ids.front()) << "a new server";
  LONG disabled = 1;
  EXPECT_EQ(S_OK, browser->get_IsDisable(&disabled));
  EXPECT_EQ(0, disabled) << "the new server logged on";
  Bstr result;
  EXPECT_EQ(S_OK, browser->TranslateText(Bstr(L"hello").Get(), result.Receive()));
  EXPECT_NE(nullptr, result.Get());
}

namespace {

// Runs a VBScript through Wine's cscript and answers its output.
std::string RunScript(const std::string& script) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"tessiva-bad-input.vbs";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, script.data(), static_cast<DWORD>(script.size()), &written, nullptr);
  CloseHandle(file);
  testsupport::ChildResult result = testsupport::RunChild(L"cscript //nologo \"" + path + L"\"", 60000, true);
  DeleteFileW(path.c_str());
  EXPECT_TRUE(result.started && !result.timedOut);
  std::string output;
  for (char c : result.output)
    if (c != '\r') output += c;
  return output;
}

}  // namespace

// A script client's bad input, as a plug-in or a script passes it by name:
// refused with E_INVALIDARG, and nothing of it reaches the settings.
TEST_F(Server, AScriptsBadSettingNamesAndIndexesAreRefused) {
  const std::string output = RunScript(
      "On Error Resume Next\r\n"
      "Set b = CreateObject(\"Tessiva.WebClassCreator\").GetProxyObject(2, Nothing, 0, 0)\r\n"
      "WScript.Echo \"object \" & Hex(Err.Number)\r\n"
      "b.SetSetting \"PopupWordDelay\", 700\r\n"
      "WScript.Echo \"set \" & Hex(Err.Number)\r\n"
      "Err.Clear\r\n"
      "b.SetSetting \"PopupWordDelay\" & Chr(0) & \"x\", 4321\r\n"
      "WScript.Echo \"nul \" & Hex(Err.Number)\r\n"
      "Err.Clear\r\n"
      "b.SetSetting \"lastDirID\", \"junk\"\r\n"
      "WScript.Echo \"reserved \" & Hex(Err.Number)\r\n"
      "Err.Clear\r\n"
      "b.SetSetting String(20000, \"n\"), 1\r\n"
      "WScript.Echo \"long \" & Hex(Err.Number)\r\n"
      "Err.Clear\r\n"
      "b.ActiveDirIndex = 65537\r\n"
      "WScript.Echo \"index \" & Hex(Err.Number)\r\n"
      "Err.Clear\r\n"
      "WScript.Echo \"active \" & CLng(b.ActiveDirIndex)\r\n"
      "WScript.Echo \"delay \" & b.GetSetting(\"PopupWordDelay\", 0)\r\n");
  // VBScript reports E_INVALIDARG as its error 5 (invalid procedure call or argument).
  EXPECT_EQ("object 0\nset 0\nnul 5\nreserved 5\nlong 5\nindex 5\nactive 0\ndelay 700\n", output);
  const std::wstring key = std::wstring(kBrowsersKey) + L"\\FireFox";
  // A script's number is a VT_I2: the running object keeps it, the registry does not.
  EXPECT_FALSE(testsupport::RegValueExists(HKEY_CURRENT_USER, key, L"PopupWordDelay"));
  bool found = false;
  RegDword(HKEY_CURRENT_USER, key, L"lastDirID", &found);
  EXPECT_TRUE(found) << "the remembered direction stays a number";
}
