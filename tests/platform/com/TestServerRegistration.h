#pragma once
#include <windows.h>

#include "platform/com/ServerRegistration.h"

// The test local server's application identifier.
extern const GUID testServerAppId;

// The registration of one class of the test local server, served by the
// program at modulePath with the given idle time.
platform::ClassRegistration TestServerClass(const CLSID& clsid, const wchar_t* name,
                                            const std::wstring& command);

// Writes or removes both classes, the application identifier and the type
// library, for the running program.
HRESULT RegisterTestServer(DWORD idleMs);
HRESULT UnregisterTestServer();
