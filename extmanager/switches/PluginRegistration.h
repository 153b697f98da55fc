#pragma once
#include <string>

// Registration of a COM server DLL with the system's regsvr32 of the DLL's
// own bitness, waited for (bounded by SystemSeams::registrationTimeoutMs).
enum class RegistrationOutcome { kDone, kNotStarted, kTimedOut, kFailed, kUnknownBitness };

RegistrationOutcome RunRegsvr32(const std::wstring& dllPath, bool registerIt);
const wchar_t* RegistrationOutcomeText(RegistrationOutcome outcome);
// The regsvr32 that serves a DLL: the 64-bit one for x64 DLLs, the 32-bit
// one for x86 DLLs; empty when the file is no PE image of either.
std::wstring Regsvr32For(const std::wstring& dllPath);
