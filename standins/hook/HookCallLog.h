#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The stand-in's record of the calls it received: one line per call, appended
// to "NorvaBrowserHook.log" in the user's temporary folder (one per Wine
// session, so that sessions side by side keep apart), so that tests in
// another process can read what the proxy did. Lines: "LoadHook", "UnloadHook",
// "SetBrowserHook <type> <window>", "UnSetBrowserHook <type>" (numbers in
// decimal), each followed by " pid=<process id>".
namespace hookstandin {

std::wstring LogPath();
void AppendLine(const std::string& line);
std::vector<std::string> ReadLines();
// The handler window last bound to the type and not unbound since; 0 when none.
LONG BoundWindow(LONG browserType);

}  // namespace hookstandin
