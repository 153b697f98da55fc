#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/com/ServerRegistration.h"

// The program module of Tessiva: its classes, registration and the run of
// the local server.
namespace tessiva {

enum class CommandLineAction { Serve, Register, Unregister };

// "RegServer" or "UnregServer" after "-" or "/", in any case; the first
// recognised token decides.
CommandLineAction ParseCommandLine(const wchar_t* arguments);

// The class entries of the three classes for a server at modulePath.
std::vector<platform::ClassRegistration> ClassEntries(const std::wstring& modulePath);

HRESULT RegisterServer(const std::wstring& modulePath);
HRESULT UnregisterServer(const std::wstring& modulePath);

// Serves the classes until the server has been idle for idleMs, then lets
// the last calls drain for finalPauseMs (platform::RunLocalServer).
HRESULT Serve(DWORD idleMs = 5000, DWORD finalPauseMs = 1000);

// Initialises COM, then registers, unregisters or serves by the command line.
int RunModule(const wchar_t* arguments);

}  // namespace tessiva
