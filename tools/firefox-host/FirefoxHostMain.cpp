// Plays Firefox for fervix9.dll: loads it through the stand-in XPCOM
// library as the browser does, creates the component by contract id and
// calls it as the extension script would. "--load-only" only loads the
// library (exit code 0 when it loaded, 2 when it refused to).
#include <windows.h>

#include <cstdio>
#include <string>

#include "XpcomHost.h"
#include "firefox/FervixInterfaces.h"

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wstring(argv[1]) == L"--load-only") {
    // As the browser loads a component library: the library starts its own glue.
    HMODULE library = LoadLibraryW((XpcomHost::ProgramFolder() + L"fervix9.dll").c_str());
    printf("LoadLibrary fervix9.dll: %s (%lu)\n", library ? "loaded" : "refused", GetLastError());
    return library ? 0 : 2;
  }
  XpcomHost host;
  nsresult rv = host.Start();
  printf("xpcom start 0x%08X\n", rv);
  if (NS_FAILED(rv)) return 1;
  rv = host.LoadComponentLibrary(XpcomHost::ProgramFolder() + L"fervix9.dll");
  printf("load fervix9.dll 0x%08X\n", rv);
  if (NS_FAILED(rv)) return 2;
  return 0;
}
