#include "extmanager/switches/PluginRegistration.h"

#include <windows.h>

#include "extmanager/probes/LongPath.h"
#include "extmanager/probes/SystemSeams.h"
#include "platform/base/Handles.h"

namespace {

WORD ImageMachine(const std::wstring& path) {
  platform::UniqueFileHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 0;
  IMAGE_DOS_HEADER dos{};
  DWORD read = 0;
  if (!ReadFile(file.Get(), &dos, sizeof(dos), &read, nullptr) || read != sizeof(dos) ||
      dos.e_magic != IMAGE_DOS_SIGNATURE)
    return 0;
  if (SetFilePointer(file.Get(), dos.e_lfanew, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return 0;
  struct {
    DWORD signature;
    IMAGE_FILE_HEADER header;
  } nt{};
  if (!ReadFile(file.Get(), &nt, sizeof(nt), &read, nullptr) || read != sizeof(nt) ||
      nt.signature != IMAGE_NT_SIGNATURE)
    return 0;
  return nt.header.Machine;
}

}  // namespace

std::wstring Regsvr32For(const std::wstring& dllPath) {
  wchar_t folder[MAX_PATH] = {};
  switch (ImageMachine(dllPath)) {
    case IMAGE_FILE_MACHINE_AMD64:
      if (!GetSystemDirectoryW(folder, MAX_PATH)) return std::wstring();
      break;
    case IMAGE_FILE_MACHINE_I386:
      // A 32-bit system has no WOW64 folder: its own is the 32-bit one.
      if (!GetSystemWow64DirectoryW(folder, MAX_PATH) && !GetSystemDirectoryW(folder, MAX_PATH))
        return std::wstring();
      break;
    default:
      return std::wstring();
  }
  return std::wstring(folder) + L"\\regsvr32.exe";
}

const wchar_t* RegistrationOutcomeText(RegistrationOutcome outcome) {
  switch (outcome) {
    case RegistrationOutcome::kDone: return L"done";
    case RegistrationOutcome::kNotStarted: return L"not started";
    case RegistrationOutcome::kTimedOut: return L"timed out";
    case RegistrationOutcome::kFailed: return L"failed";
    case RegistrationOutcome::kUnknownBitness: return L"not a 32-bit or 64-bit DLL";
  }
  return L"?";
}

RegistrationOutcome RunRegsvr32(const std::wstring& dllPath, bool registerIt) {
  std::wstring program = Regsvr32For(dllPath);
  if (program.empty()) return RegistrationOutcome::kUnknownBitness;
  std::wstring command = L"\"" + program + L"\" /s " + (registerIt ? L"" : L"/u ") + L"\"" + dllPath + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &info))
    return RegistrationOutcome::kNotStarted;
  platform::UniqueKernelHandle process(info.hProcess);
  platform::UniqueKernelHandle thread(info.hThread);
  if (WaitForSingleObject(process.Get(), Seams().registrationTimeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.Get(), 1);  // the one we started, by its handle
    WaitForSingleObject(process.Get(), 5000);
    return RegistrationOutcome::kTimedOut;
  }
  DWORD exitCode = 1;
  GetExitCodeProcess(process.Get(), &exitCode);
  return exitCode == 0 ? RegistrationOutcome::kDone : RegistrationOutcome::kFailed;
}
