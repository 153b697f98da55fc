// A library the stand-in XPCOM library's list names, so that the glue's
// loading of "dependentlibs.list" is exercised.
#include <windows.h>

extern "C" __declspec(dllexport) int __stdcall XpcomDependencyLoaded() { return 1; }
