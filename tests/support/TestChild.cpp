// A child program for the harness's own tests:
//   test_child exit N      -> prints "child says hello" and exits with N
//   test_child sleep MS    -> sleeps, then exits with 0
//   test_child spawn MS    -> starts "test_child sleep MS", prints
//                             "started <its id>" and exits with 0
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc >= 3 && std::wcscmp(argv[1], L"exit") == 0) {
    std::printf("child says hello\n");
    std::fflush(stdout);
    return _wtoi(argv[2]);
  }
  if (argc >= 3 && std::wcscmp(argv[1], L"sleep") == 0) {
    Sleep(static_cast<DWORD>(_wtoi(argv[2])));
    return 0;
  }
  if (argc >= 3 && std::wcscmp(argv[1], L"spawn") == 0) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self) + L"\" sleep " + argv[2];
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 101;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::printf("started %lu\n", pi.dwProcessId);
    std::fflush(stdout);
    return 0;
  }
  return 100;
}
