#pragma once
// What a program that plays the browser reaches in the stand-in XPCOM
// library by export name: functions Firefox's own xpcom.dll exports too
// (registries, strings, memory), and two of the host's own that load a
// component library as the browser does (NSGetModule, then the module's
// registration) and unload the libraries again. All __cdecl.
#include "GeckoFrozenFunctions.h"

namespace gecko {

using GetServiceManagerExport = nsresult(GECKO_CALL*)(nsIServiceManager** result);
using GetComponentManagerExport = nsresult(GECKO_CALL*)(nsIComponentManager** result);
using StringContainerInitExport = StringContainerInitFunction;
using StringContainerFinishExport = StringContainerFinishFunction;
using StringGetDataExport = StringGetDataFunction;
using StringSetDataExport = StringSetDataFunction;
using FreeExport = FreeFunction;

using HostLoadComponentLibraryExport = nsresult(GECKO_CALL*)(const wchar_t* path);
// The number of libraries freed.
using HostUnloadLibrariesExport = int(GECKO_CALL*)();

}  // namespace gecko
