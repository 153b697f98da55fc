#pragma once
// Processor time of the Linux processes behind Windows programs under Wine,
// read from /proc through the Z: drive: Wine answers zero for another
// process's GetProcessTimes. For benchmarks that show which process a
// job's time went to.
#include <string>

namespace testsupport {

// The /proc folder (as a Windows path, "Z:\proc\N") of the Linux process that
// runs the program: its command line names the program's path (in its
// Windows or its Linux spelling) and its short name is the start of the
// program's file name, which leaves out launchers such as timeout. Empty
// unless exactly one. Without wholePath, the file name in the command line is
// enough (a program started from a shell by its bare name).
std::wstring LinuxProcFolderOf(const std::wstring& program, bool wholePath = true);

// The /proc folder of the wineserver of the session that runs the process of
// `sessionMember` (a /proc folder): the wineserver whose environment names
// the same WINEPREFIX. Empty unless exactly one.
std::wstring WineServerProcFolder(const std::wstring& sessionMember);

// User and system time of the process, in seconds (clock ticks of 1/100 s);
// -1 when it cannot be read.
double LinuxCpuSeconds(const std::wstring& procFolder);

// User and system time of this process by GetProcessTimes, in seconds.
double OwnCpuSeconds();

// The processor time of one process over a stretch: Start, then Seconds.
class LinuxCpuMeter {
 public:
  explicit LinuxCpuMeter(std::wstring procFolder = {}) : folder_(std::move(procFolder)) {}
  bool Found() const { return !folder_.empty(); }
  void Start() { start_ = LinuxCpuSeconds(folder_); }
  // Seconds since Start; -1 when the process was not found or not readable.
  double Seconds() const;

 private:
  std::wstring folder_;
  double start_ = -1;
};

}  // namespace testsupport
