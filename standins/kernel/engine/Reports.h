#pragma once
#include <windows.h>

#include <string>

namespace kernelstandin {

// What the stand-in kernel was asked to show or was told, written under
// HKEY_CURRENT_USER "Software\NorvaStandIns\Kernel\Reports" so that tests
// in any process can read it back:
//   "ErrorCount" (DWORD, raised by each reported error), "LastError" (DWORD
//   HRESULT), "LastErrorTitle", "LastErrorDetail"; "AboutCount",
//   "LastAboutTitle"; "LogOnOwner" (DWORD), "LogOnClient", "LogOnUser";
//   "Mode", "ModeOwner" (DWORD); the template analyzer's last preparation:
//   "AnalyzerInitialize" ("Initialize" or "Initialize2"), "AnalyzerClient",
//   "AnalyzerDirID" (DWORD), "AnalyzerLogOn" (DWORD 1 when a log-on object came).
struct Reports {
  static constexpr const wchar_t* kKey = L"Software\\NorvaStandIns\\Kernel\\Reports";

  static void SetNumber(const wchar_t* name, DWORD value);
  static void SetText(const wchar_t* name, const std::wstring& value);
  static void Count(const wchar_t* name);
};

}  // namespace kernelstandin
