#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Local servers that COM started for a test, found by program name. A
// server is ended the way a session end does it (WM_QUIT to its threads), so
// that it revokes its class objects: Wine keeps the registration of a killed
// server's class objects, and no later client of the session could start it.
namespace testsupport {

// Ids of the running processes of that program (file name, any case).
std::vector<DWORD> ProcessesNamed(const wchar_t* program);

// Ends every running process of the program and waits until they are gone;
// one that does not end within the wait is killed.
void EndProcessesNamed(const wchar_t* program, DWORD waitMs = 15000);

// Ends the loop of every process of the program and kills it after pauseMs:
// for a server whose final pause begins when its loop ends.
void KillProcessesAfterLoopEnd(const wchar_t* program, DWORD pauseMs);

}  // namespace testsupport
