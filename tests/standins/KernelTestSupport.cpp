#include "KernelTestSupport.h"

#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "RegistrySandbox.h"
#include "Reports.h"
#include "Switches.h"

namespace kerneltests {

HRESULT CallDllEntry(const char* name) {
  HMODULE dll = LoadLibraryW(testsupport::SiblingPath(L"NrvaKernel.dll").c_str());
  if (!dll) return HRESULT_FROM_WIN32(GetLastError());
  auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(dll, name));
  HRESULT hr = entry ? entry() : E_NOTIMPL;
  FreeLibrary(dll);
  return hr;
}

void RegisterKernel() {
  ASSERT_EQ(S_OK, CallDllEntry("DllRegisterServer"));
  testsupport::ChildResult server =
      testsupport::RunChild(L"\"" + testsupport::SiblingPath(L"NrvaKernelServer.exe") + L"\" -RegServer", 60000);
  ASSERT_TRUE(server.started);
  ASSERT_FALSE(server.timedOut);
  ASSERT_EQ(0u, server.exitCode) << server.output;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!done()) {
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return true;
}

void SetSwitch(const wchar_t* name, DWORD value) {
  testsupport::SetRegDword(HKEY_CURRENT_USER, kernelstandin::Switches::kKey, name, value);
}

void SetSwitchText(const wchar_t* name, const std::wstring& value) {
  testsupport::SetRegString(HKEY_CURRENT_USER, kernelstandin::Switches::kKey, name, value);
}

DWORD ReportNumber(const wchar_t* name) {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!testsupport::GetRegValue(HKEY_CURRENT_USER, kernelstandin::Reports::kKey, name, &type, &data) ||
      type != REG_DWORD || data.size() != 4)
    return 0;
  return *reinterpret_cast<DWORD*>(data.data());
}

std::wstring ReportText(const wchar_t* name) {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!testsupport::GetRegValue(HKEY_CURRENT_USER, kernelstandin::Reports::kKey, name, &type, &data) ||
      type != REG_SZ)
    return {};
  std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
  text.resize(wcslen(text.c_str()));
  return text;
}

VARIANT MissingArg() {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_ERROR;
  v.scode = DISP_E_PARAMNOTFOUND;
  return v;
}

}  // namespace kerneltests
