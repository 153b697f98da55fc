// Round trip of GetSetting from this process through Tessiva, against the
// same call to a local server whose method does nothing; prints both times
// and their ratio (Tessiva's own work should vanish next to the call).
//   tessiva_getsetting_bench [calls]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "BenchEmpty.h"
#include "TessivaLib.h"
#include "platform/base/ModulePath.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComApartment.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"

namespace {

using platform::Bstr;
using platform::ComPtr;
using platform::Variant;

std::wstring Sibling(const wchar_t* name) {
  return platform::ModuleFolder(nullptr) + name;
}

bool Register(const wchar_t* program) {
  std::wstring command = L"\"" + Sibling(program) + L"\" /RegServer";
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  DWORD code = 1;
  if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code == 0;
}

template <class Call>
double MicrosecondsPerCall(int calls, Call&& call) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < calls; ++i) call();
  auto elapsed = std::chrono::steady_clock::now() - start;
  return std::chrono::duration<double, std::micro>(elapsed).count() / calls;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int calls = argc > 1 ? _wtoi(argv[1]) : 2000;
  platform::ComApartment apartment;
  if (!Register(L"Tessiva.exe") || !Register(L"bench_empty_server.exe")) {
    fprintf(stderr, "registration failed\n");
    return 1;
  }
  ComPtr<IWebClassCreator> creator;
  ComPtr<IBenchEmpty> empty;
  if (FAILED(ComPtr<IWebClassCreator>::TryCreate(CLSID_WebClassCreator, &creator, CLSCTX_LOCAL_SERVER)) ||
      FAILED(ComPtr<IBenchEmpty>::TryCreate(CLSID_BenchEmptyServer, &empty, CLSCTX_LOCAL_SERVER))) {
    fprintf(stderr, "a server could not be created\n");
    return 1;
  }
  ComPtr<IDispatch> object;
  creator->GetProxyObject(EPBT_FF, nullptr, 0, 0, object.Receive());
  auto browser = object.As<INorvaBrowserClass>();
  if (!browser) return 1;

  Bstr name(L"PopupWordDelay");
  const VARIANT missing = Variant::Missing().Detach();
  auto viaTessiva = [&] {
    Variant value;
    browser->GetSetting(name.Get(), missing, value.Receive());
  };
  auto viaEmpty = [&] {
    Variant value;
    empty->GetSetting(name.Get(), missing, value.Receive());
  };
  viaTessiva();
  viaEmpty();
  // Alternating rounds, so that a slow moment of the machine hits both.
  double tessiva = 0, baseline = 0;
  const int rounds = 4;
  for (int round = 0; round < rounds; ++round) {
    tessiva += MicrosecondsPerCall(calls / rounds, viaTessiva);
    baseline += MicrosecondsPerCall(calls / rounds, viaEmpty);
  }
  tessiva /= rounds;
  baseline /= rounds;
  printf("GetSetting through Tessiva: %.1f us per call\n", tessiva);
  printf("empty method of a local server: %.1f us per call\n", baseline);
  printf("ratio: %.2f (target at most 1.2)\n", tessiva / baseline);
  return 0;
}
