#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Tessiva.exe of the build as the tests drive it: registration, and the
// server processes that COM started for this test.
namespace tessivaserver {

std::wstring ProgramPath();
// Runs Tessiva.exe with the argument and answers its exit code (or ~0u when
// it did not end within the time-out).
DWORD Run(const std::wstring& argument, DWORD timeoutMs = 30000);
// Ids of the running servers that this test process started (COM starts
// Tessiva.exe as a child of its client).
std::vector<DWORD> RunningServers();
// Ends the servers this process started the way a session end does: WM_QUIT
// to their threads, so that they revoke their class objects and let their
// objects go; then the servers those started (the stand-in kernel's); waits
// until they are gone. (A process killed while its class objects are
// registered leaves them registered with Wine's COM service, and no client
// of this Wine session could start Tessiva again.)
void EndServers();
// Ends the loop of every server this process started and kills it in its
// final pause, after its class objects are revoked but before its objects
// end: what a kill leaves behind, without the stale class registration.
void KillServersInFinalPause();

}  // namespace tessivaserver
