// A child program for the harness's own tests:
//   test_child exit N      -> prints "child says hello" and exits with N
//   test_child sleep MS    -> sleeps, then exits with 0
#include <windows.h>

#include <cstdio>
#include <cwchar>

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
  return 100;
}
