#pragma once
#include <windows.h>

#include <string>

namespace kernelstandin {

// Fault switches of the stand-in kernel, under HKEY_CURRENT_USER
// "Software\NorvaStandIns\Kernel" (absent: normal behaviour). They are read
// once and again after each change the registry reports below
// "Software\NorvaStandIns", so a switch set by a test holds from the next call:
//   "FailLogOn"        DWORD 1: log-on answers 0 (refused).
//   "FailCall"         string: "Interface.Method" names (";"-separated) that fail
//                      with "FailCallResult" (DWORD, default E_FAIL).
//   "NoFinalStatus"    DWORD 1: a file job never sends its final status.
//   "EarlyFinalStatus" DWORD 1: a file job runs to its end and sends its final
//                      status inside the call that starts it.
//   "FailTranslation"  DWORD HRESULT: text and file translation answer it.
//   "EchoTranslation"  DWORD 1: text translation answers its input unchanged
//                      (what a caller costs by itself, for benchmarks).
//   "FailFileJob"      DWORD 1: a file job with progress ends in state 0x8005.
//   "RefuseTemplate"   DWORD 1: putting the active template id is refused.
//   "JobStepDelay"     DWORD milliseconds between the steps of a file job (default 0).
//   "NoAnalyzer"       DWORD 1: the analyzer source has no analyzer.
//   "AnalyzerLevel"    DWORD 5, 8 or 9: the analyzer answers the template
//                      analyzer interfaces only up to INorva<N>TemplateAnalyzer
//                      (default: all, up to 10).
//   "AnalyzerRepeatsNames" DWORD 1: the analyzer's ranked list ends with its
//                      first name again ([A, B, A]), so its NextTemplate chain
//                      never ends.
//   "AnalyzerFindsNothing" DWORD 1: Analyze ranks nothing and answers S_FALSE.
//   "AnalyzerTiedTop"  DWORD 1: the second ranked template gets the weight of
//                      the first.
struct Switches {
  static constexpr const wchar_t* kKey = L"Software\\NorvaStandIns\\Kernel";

  static DWORD Number(const wchar_t* name, DWORD fallback = 0);
  static std::wstring Text(const wchar_t* name);
  // S_OK, or the failure that "FailCall" sets for the call named "Interface.Method".
  static HRESULT CallResult(const wchar_t* call);
};

}  // namespace kernelstandin
