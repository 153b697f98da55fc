#pragma once
// What the stand-in XPCOM library offers the program that plays the
// browser, beyond the frozen functions: load a component library as the
// browser does (NSGetModule, then the module's registration), create an
// object by contract identifier, and unload the libraries again.
#include "platform/xpcom/nsIServiceManager.h"

using HostLoadComponentLibraryProc = nsresult(__stdcall*)(const wchar_t* path);
using HostCreateInstanceProc = nsresult(__stdcall*)(const char* contractId, const nsIID& iid, void** result);
using HostGetComponentManagerProc = nsresult(__stdcall*)(nsIComponentManager** result);
// The number of libraries freed.
using HostUnloadLibrariesProc = int(__stdcall*)();
