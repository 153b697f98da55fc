#include "KernelStandIn.h"

#include <vector>

#include "ChildProcess.h"
#include "ServerProcess.h"

namespace kernelstandin_test {

namespace {

constexpr wchar_t kServerProgram[] = L"NrvaKernelServer.exe";

bool RunServer(const wchar_t* option) {
  testsupport::ChildResult server =
      testsupport::RunChild(L"\"" + testsupport::SiblingPath(kServerProgram) + L"\" " + option, 60000);
  return server.started && !server.timedOut && server.exitCode == 0;
}

}  // namespace

HRESULT CallKernelDllEntry(const char* name) {
  HMODULE dll = LoadLibraryW(testsupport::SiblingPath(L"NrvaKernel.dll").c_str());
  if (!dll) return HRESULT_FROM_WIN32(GetLastError());
  auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(dll, name));
  HRESULT hr = entry ? entry() : E_NOTIMPL;
  FreeLibrary(dll);
  return hr;
}

bool RegisterKernel() { return SUCCEEDED(CallKernelDllEntry("DllRegisterServer")) && RunServer(L"-RegServer"); }

bool UnregisterKernel() {
  bool dll = SUCCEEDED(CallKernelDllEntry("DllUnregisterServer"));
  return RunServer(L"-UnregServer") && dll;
}

namespace {

// This process's servers and, recursively, theirs.
void CollectServers(DWORD parent, std::vector<testsupport::ServerProcess>* servers) {
  for (DWORD id : testsupport::ProcessesStartedBy(parent)) {
    servers->emplace_back(id);
    CollectServers(id, servers);
  }
}

}  // namespace

void WaitForServerExit(DWORD timeoutMs) {
  std::vector<testsupport::ServerProcess> servers;
  CollectServers(GetCurrentProcessId(), &servers);
  for (DWORD orphan : testsupport::OrphanedServers()) {
    servers.emplace_back(orphan);
    CollectServers(orphan, &servers);
  }
  const DWORD start = GetTickCount();
  for (const auto& server : servers) {
    const DWORD spent = GetTickCount() - start;
    server.WaitForEnd(spent < timeoutMs ? timeoutMs - spent : 0);
  }
}

void EndServers() { testsupport::EndServersOfThisProcess(); }

// The stand-in looks for changes of its switches every 5 ms: a switch
// holds for every call made after this wait.
constexpr DWORD kSwitchSettleMs = 15;

void SetSwitch(const wchar_t* name, DWORD value) {
  testsupport::SetRegDword(HKEY_CURRENT_USER, kSwitchesKey, name, value);
  Sleep(kSwitchSettleMs);
}

void SetSwitchText(const wchar_t* name, const std::wstring& value) {
  testsupport::SetRegString(HKEY_CURRENT_USER, kSwitchesKey, name, value);
  Sleep(kSwitchSettleMs);
}

DWORD ReportNumber(const wchar_t* name) {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!testsupport::GetRegValue(HKEY_CURRENT_USER, kReportsKey, name, &type, &data) || type != REG_DWORD ||
      data.size() != 4)
    return 0;
  return *reinterpret_cast<DWORD*>(data.data());
}

std::wstring ReportText(const wchar_t* name) {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!testsupport::GetRegValue(HKEY_CURRENT_USER, kReportsKey, name, &type, &data) || type != REG_SZ) return {};
  std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
  text.resize(wcslen(text.c_str()));
  return text;
}

}  // namespace kernelstandin_test
