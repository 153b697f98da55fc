#pragma once
#include <string>

namespace testsupport {

// Processor time of the Linux processes that run Wine programs, read from
// /proc through the Z: drive: Wine answers zero for GetProcessTimes of
// another process.

// The /proc folder (a Windows path) of the Linux process that runs the
// program: its command line names the program's path (in its Windows or its
// Linux spelling) and its short name is the start of the program's file
// name, which leaves out launchers such as timeout. Empty unless exactly one.
// (Z:\proc\self would not do: Wine opens files in its server process.)
// Without wholePath, the file name in the command line is enough.
std::wstring ProcFolderOf(const std::wstring& program, bool wholePath = true);

// User and system time of that process in seconds (clock ticks of 1/100 s); -1 when unreadable.
double ProcCpuSeconds(const std::wstring& procFolder);

// User and system time of this process by GetProcessTimes, in seconds.
double OwnCpuSeconds();

}  // namespace testsupport
