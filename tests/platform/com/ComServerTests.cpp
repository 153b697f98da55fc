// The COM layer on the real road: a local server program started by COM,
// an in-process DLL, both registered in the prefix by their own code.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include <windows.h>
#include <tlhelp32.h>

#include "ChildProcess.h"
#include "RegistrySandbox.h"
#include "TestCalc.h"
#include "TestServerRegistration.h"
#include "TestSink.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/DispatchCall.h"
#include "platform/com/GlobalInterface.h"
#include "platform/com/SafeArray.h"
#include "platform/com/ServerRegistration.h"
#include "platform/com/Variant.h"

using namespace platform;
using testsupport::RegKeyExists;
using testsupport::RunChild;
using testsupport::SiblingPath;

namespace {

const DWORD serverIdleMs = 1500;

std::wstring ServerPath() { return SiblingPath(L"platform_com_test_server.exe"); }

DWORD RunServer(const std::wstring& arguments) {
  auto result = RunChild(L"\"" + ServerPath() + L"\" " + arguments, 60000);
  EXPECT_TRUE(result.started) << "error " << result.startError;
  EXPECT_FALSE(result.timedOut) << testing::PrintToString(result.output);
  return result.exitCode;
}

// Calls an export of the test DLL.
HRESULT CallDll(const char* name) {
  HMODULE dll = LoadLibraryW(SiblingPath(L"platform_com_test_inproc.dll").c_str());
  if (!dll) return HRESULT_FROM_WIN32(GetLastError());
  auto call = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(dll, name));
  HRESULT hr = call ? call() : E_NOTIMPL;
  FreeLibrary(dll);
  return hr;
}

struct Keys {
  std::wstring path;
  const char* what;
};

std::vector<Keys> ServerKeys() {
  const std::wstring local = L"CLSID\\" + GuidString(CLSID_TestLocalObject);
  return {
      {local, "class key"},
      {local + L"\\LocalServer32", "LocalServer32"},
      {local + L"\\ProgID", "ProgID"},
      {local + L"\\VersionIndependentProgID", "VersionIndependentProgID"},
      {local + L"\\Programmable", "Programmable"},
      {local + L"\\TypeLib", "TypeLib"},
      {L"CLSID\\" + GuidString(CLSID_TestSingleton), "singleton class key"},
      {L"CLSID\\" + GuidString(CLSID_TestSingleUse), "single-use class key"},
      {L"PlatformComTest.TestLocalObject.1\\CLSID", "ProgID key"},
      {L"PlatformComTest.TestLocalObject\\CurVer", "version-independent ProgID key"},
      {L"AppID\\" + GuidString(testServerAppId), "AppID"},
      {L"AppID\\platform_com_test_server.exe", "AppID of the program"},
      {L"TypeLib\\" + GuidString(LIBID_PlatformComTestLib) + L"\\1.0", "type library"},
      {L"Interface\\" + GuidString(IID_ITestEvents), "event interface"},
  };
}

std::wstring ReadDefault(const std::wstring& key, const wchar_t* name = nullptr) {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!testsupport::GetRegValue(HKEY_CLASSES_ROOT, key, name, &type, &data) || type != REG_SZ) return L"<none>";
  return std::wstring(reinterpret_cast<const wchar_t*>(data.data()));
}

class ComServerTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    EXPECT_EQ(0u, RunServer(L"/RegServer /idle:" + std::to_wstring(serverIdleMs)));
    ComApartment apartment;
    EXPECT_EQ(S_OK, CallDll("DllRegisterServer"));
  }
  static void TearDownTestSuite() {
    EXPECT_EQ(0u, RunServer(L"-UNREGSERVER"));
    ComApartment apartment;
    EXPECT_EQ(S_OK, CallDll("DllUnregisterServer"));
    for (const Keys& k : ServerKeys())
      EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, k.path)) << k.what << " left behind";
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, L"CLSID\\" + GuidString(CLSID_TestInprocObject)));
    EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, L"CLSID")) << "the CLSID key itself stays";
    EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, L"AppID")) << "the AppID key itself stays";
  }

  ComApartment apartment;

  ComPtr<ITestCalc> CreateLocal(const CLSID& clsid = CLSID_TestLocalObject) {
    ComPtr<ITestCalc> calc;
    EXPECT_EQ(S_OK, ComPtr<ITestCalc>::TryCreate(clsid, &calc, CLSCTX_LOCAL_SERVER));
    return calc;
  }
  static LONG ProcessOf(const ComPtr<ITestCalc>& calc) {
    LONG id = 0;
    EXPECT_EQ(S_OK, calc->get_ProcessId(&id));
    return id;
  }
};

}  // namespace

TEST_F(ComServerTest, RegistrationWritesTheKeysAndValues) {
  for (const Keys& k : ServerKeys()) EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, k.path)) << k.what;
  const std::wstring local = L"CLSID\\" + GuidString(CLSID_TestLocalObject);
  EXPECT_EQ(L"TestLocalObject Class", ReadDefault(local));
  EXPECT_EQ(L"PlatformComTest.TestLocalObject.1", ReadDefault(local + L"\\ProgID"));
  EXPECT_EQ(L"PlatformComTest.TestLocalObject", ReadDefault(local + L"\\VersionIndependentProgID"));
  EXPECT_EQ(GuidString(testServerAppId), ReadDefault(local, L"AppID"));
  EXPECT_EQ(GuidString(LIBID_PlatformComTestLib), ReadDefault(local + L"\\TypeLib"));
  EXPECT_EQ(0u, ReadDefault(local + L"\\LocalServer32").find(L"\"" + ServerPath() + L"\""));
  EXPECT_EQ(GuidString(CLSID_TestLocalObject), ReadDefault(L"PlatformComTest.TestLocalObject.1\\CLSID"));
  EXPECT_EQ(L"PlatformComTest.TestLocalObject.1", ReadDefault(L"PlatformComTest.TestLocalObject\\CurVer"));
  EXPECT_EQ(L"platform_com_test_server", ReadDefault(L"AppID\\" + GuidString(testServerAppId)));
  EXPECT_EQ(GuidString(testServerAppId), ReadDefault(L"AppID\\platform_com_test_server.exe", L"AppID"));

  const std::wstring inproc = L"CLSID\\" + GuidString(CLSID_TestInprocObject) + L"\\InprocServer32";
  EXPECT_EQ(SiblingPath(L"platform_com_test_inproc.dll"), ReadDefault(inproc));
  EXPECT_EQ(L"Apartment", ReadDefault(inproc, L"ThreadingModel"));

  CLSID byName{};
  EXPECT_EQ(S_OK, CLSIDFromProgID(L"PlatformComTest.TestSingleton", &byName));
  EXPECT_TRUE(byName == CLSID_TestSingleton);
}

TEST_F(ComServerTest, UnregisteringTwiceIsNoFailure) {
  ClassRegistration never;
  never.clsid = {0x0badc0de, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  never.progId = L"PlatformComTest.Never.1";
  EXPECT_EQ(S_OK, UnregisterComClass(never));
  EXPECT_EQ(S_OK, UnregisterAppId(never.clsid, L"never.exe"));
  never.server.clear();
  EXPECT_EQ(E_INVALIDARG, RegisterComClass(never)) << "a class without a server is refused";
}

TEST_F(ComServerTest, ALocalServerAnswersThroughItsInterfaceAndByDispatch) {
  ComPtr<ITestCalc> calc = CreateLocal();
  ASSERT_TRUE(calc);
  EXPECT_NE(static_cast<LONG>(GetCurrentProcessId()), ProcessOf(calc)) << "served by another process";

  LONG sum = 0;
  EXPECT_EQ(S_OK, calc->Add(20, 22, &sum));
  EXPECT_EQ(42, sum);
  Bstr echoed;
  EXPECT_EQ(S_OK, calc->Echo(Bstr(L"über").Get(), echoed.Receive()));
  EXPECT_EQ(L"über", echoed.Str());
  VARIANT_BOOL missing = VARIANT_FALSE;
  EXPECT_EQ(S_OK, calc->IsMissing(Variant::Missing().Get(), &missing));
  EXPECT_EQ(VARIANT_TRUE, missing);
  EXPECT_EQ(E_ACCESSDENIED, calc->Fail(1));
  EXPECT_EQ(E_OUTOFMEMORY, calc->Fail(2));
  EXPECT_EQ(E_UNEXPECTED, calc->Fail(3));

  const int32_t numbers[] = {1, 2, 39};
  Variant array = SafeArray::FromInt32s(numbers).ToVariant();
  EXPECT_EQ(S_OK, calc->Sum(array.Get(), &sum));
  EXPECT_EQ(42, sum);
  EXPECT_EQ(E_INVALIDARG, calc->Sum(Variant::FromInt32(1).Get(), &sum));
  const std::wstring words[] = {L"a"};
  EXPECT_EQ(DISP_E_TYPEMISMATCH, calc->Sum(SafeArray::FromStrings(words).ToVariant().Get(), &sum));

  // The same object by name and by DISPID through IDispatch.
  ComPtr<IDispatch> dispatch = calc.As<IDispatch>();
  ASSERT_TRUE(dispatch);
  EXPECT_EQ(1, DispIdOf(dispatch.Get(), L"add"));
  const VARIANT args[] = {Variant::FromInt32(5).Get(), Variant::FromInt32(2).Get()};
  EXPECT_EQ(7, CallByName(dispatch.Get(), L"add", args).ToInt32().value_or(-1));
  Variant result;
  EXPECT_EQ(S_OK, InvokeById(dispatch.Get(), 3, DISPATCH_METHOD, {}, &result));
  EXPECT_EQ(VARIANT_TRUE, result.Get().boolVal) << "a left-out optional argument arrives missing";
}

TEST_F(ComServerTest, EventsReachSinksInTheClientProcess) {
  ComPtr<ITestCalc> calc = CreateLocal();
  ASSERT_TRUE(calc);
  ComPtr<IConnectionPoint> point;
  ASSERT_EQ(S_OK, calc.As<IConnectionPointContainer>()->FindConnectionPoint(IID_ITestEvents, point.Receive()));
  auto first = MakeComObject<TestSink>();
  auto second = MakeComObject<TestSink>();
  DWORD c1 = 0, c2 = 0;
  ASSERT_EQ(S_OK, point->Advise(static_cast<ITestEvents*>(first.Get()), &c1));
  ASSERT_EQ(S_OK, point->Advise(static_cast<ITestEvents*>(second.Get()), &c2));

  LONG reached = 0;
  EXPECT_EQ(S_OK, calc->Fire(11, Bstr(L"eleven").Get(), &reached));
  EXPECT_EQ(2, reached);
  ASSERT_EQ(1u, first->pings.size());
  EXPECT_EQ(11, first->pings[0].value);
  EXPECT_EQ(L"eleven", first->pings[0].text);
  EXPECT_EQ(1u, second->pings.size());

  // Listing the connections is tested in one process: Wine's proxy of
  // IEnumConnections::Next hands nothing across processes.
  ComPtr<IEnumConnections> connections;
  EXPECT_EQ(S_OK, point->EnumConnections(connections.Receive()));

  EXPECT_EQ(S_OK, point->Unadvise(c1));
  EXPECT_EQ(S_OK, calc->Fire(12, Bstr(L"twelve").Get(), &reached));
  EXPECT_EQ(1, reached);
  EXPECT_EQ(1u, first->pings.size());
  EXPECT_EQ(2u, second->pings.size());
  EXPECT_EQ(S_OK, point->Unadvise(c2));
  EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(c2));
}

TEST_F(ComServerTest, TheSingletonClassGivesOneObjectToEveryCreation) {
  ComPtr<ITestCalc> a = CreateLocal(CLSID_TestSingleton);
  ComPtr<ITestCalc> b = CreateLocal(CLSID_TestSingleton);
  ASSERT_TRUE(a && b);
  EXPECT_TRUE(SameObject(a, b));
  LONG na = 0, nb = 0;
  a->get_InstanceNumber(&na);
  b->get_InstanceNumber(&nb);
  EXPECT_EQ(na, nb);
  ComPtr<ITestCalc> other = CreateLocal();
  LONG no = 0;
  other->get_InstanceNumber(&no);
  EXPECT_NE(na, no);
  EXPECT_EQ(ProcessOf(a), ProcessOf(other)) << "one server process serves both classes";
}

TEST_F(ComServerTest, ASingleUseClassObjectServesOneCreationPerServer) {
  ComPtr<ITestCalc> a = CreateLocal(CLSID_TestSingleUse);
  ComPtr<ITestCalc> b = CreateLocal(CLSID_TestSingleUse);
  ASSERT_TRUE(a && b);
  EXPECT_NE(ProcessOf(a), ProcessOf(b)) << "the second creation starts a second server";
}

TEST_F(ComServerTest, TheServerEndsByItselfAfterTheIdleTime) {
  // The singleton too: the object its class object keeps does not hold the server.
  for (const CLSID* clsid : {&CLSID_TestLocalObject, &CLSID_TestSingleton}) {
    ComPtr<ITestCalc> calc = CreateLocal(*clsid);
    ASSERT_TRUE(calc);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(ProcessOf(calc)));
    ASSERT_NE(nullptr, process);
    calc.Reset();
    // Half its idle time after the release the server still runs.
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process, serverIdleMs / 2)) << "ended before the idle time";
    // A creation inside the wait keeps the server and starts the wait anew.
    calc = CreateLocal(*clsid);
    ASSERT_TRUE(calc);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process, 0)) << "the same server still runs";
    calc.Reset();
    const DWORD released = GetTickCount();
    DWORD wait = WaitForSingleObject(process, serverIdleMs + 15000);
    DWORD ended = GetTickCount();
    CloseHandle(process);
    ASSERT_EQ(WAIT_OBJECT_0, wait) << "the server did not end";
    EXPECT_GE(ended - released, serverIdleMs - 50) << "ended before the idle time";
  }
}

// Ends the message loops of a process, as a session end does.
void PostQuitToThreadsOf(DWORD processId) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry = {sizeof(entry)};
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == processId) PostThreadMessageW(entry.th32ThreadID, WM_QUIT, 0, 0);
  CloseHandle(snapshot);
}

// While the server ends, its apartment keeps dispatching: a call that meets
// the end is answered, and only then does the process go.
TEST_F(ComServerTest, ACallThatMeetsTheServersEndIsAnswered) {
  ComPtr<ITestCalc> calc = CreateLocal();
  ASSERT_TRUE(calc);
  const DWORD id = static_cast<DWORD>(ProcessOf(calc));
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
  ASSERT_NE(nullptr, process);
  PostQuitToThreadsOf(id);
  Sleep(100);
  LONG answered = 0;
  EXPECT_EQ(S_OK, calc->get_ProcessId(&answered)) << "a call while the server ends";
  EXPECT_EQ(static_cast<LONG>(id), answered);
  calc.Reset();
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 15000)) << "the server still ends";
  CloseHandle(process);
}

TEST_F(ComServerTest, AWorkerThreadCallsThroughTheGlobalInterfaceTable) {
  auto object = MakeComObject<TestCalc>();
  GlobalInterface shared = GlobalInterface::Register(static_cast<ITestCalc*>(object.Get()), IID_ITestCalc);
  LONG sum = 0;
  HRESULT workerHr = E_FAIL;
  bool direct = true;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    ComApartment own;
    workerHr = ComBoundary([&] {
      ComPtr<ITestCalc> proxy = shared.Get<ITestCalc>();
      direct = proxy.Get() == static_cast<ITestCalc*>(object.Get());
      return proxy->Add(40, 2, &sum);
    });
    done = true;
  });
  // This apartment serves the worker's call while it waits.
  const DWORD start = GetTickCount();
  while (!done && GetTickCount() - start < 20000) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  worker.join();
  EXPECT_EQ(S_OK, workerHr);
  EXPECT_EQ(42, sum);
  EXPECT_FALSE(direct) << "the worker's apartment gets a proxy";
  shared.Revoke();
  ComPtr<ITestCalc> none;
  EXPECT_EQ(E_POINTER, shared.GetInto(IID_ITestCalc, none.ReceiveVoid()));
}

TEST_F(ComServerTest, AnInprocServerServesInThisProcessAndCanUnloadWhenIdle) {
  ComPtr<ITestCalc> calc;
  ASSERT_EQ(S_OK, ComPtr<ITestCalc>::TryCreate(CLSID_TestInprocObject, &calc, CLSCTX_INPROC_SERVER));
  EXPECT_EQ(static_cast<LONG>(GetCurrentProcessId()), ProcessOf(calc));
  LONG sum = 0;
  EXPECT_EQ(S_OK, calc->Add(1, 2, &sum));
  EXPECT_EQ(3, sum);
  EXPECT_EQ(S_FALSE, CallDll("DllCanUnloadNow"));
  calc.Reset();
  EXPECT_EQ(S_OK, CallDll("DllCanUnloadNow"));

  ComPtr<ITestCalc> none;
  EXPECT_EQ(REGDB_E_CLASSNOTREG, ComPtr<ITestCalc>::TryCreate(CLSID_TestLocalObject, &none, CLSCTX_INPROC_SERVER));
}

TEST(TypeLibrary, FallsBackToTheLibraryEmbeddedInTheModule) {
  ComApartment apartment;
  // Nothing registered at this point: the server tests removed it.
  ComPtr<ITypeLib> registered;
  ASSERT_TRUE(FAILED(LoadRegTypeLib(LIBID_PlatformComTestLib, 1, 0, 0, registered.Receive())));
  TypeLibrary library{LIBID_PlatformComTestLib, 1, 0};
  ComPtr<ITypeInfo> info = library.TypeInfo(IID_ITestCalc);
  ASSERT_TRUE(info);
  TypeLibrary unknown{IID_ITestCalc, 1, 0};
  EXPECT_THROW(unknown.TypeInfo(IID_ITestCalc), ComError);
}
